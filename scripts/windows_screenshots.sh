#!/usr/bin/env bash
# make screenshots-windows: the native windows rendered under Wine into
# WINDOWS_BUILD/screenshots/ at 96 dpi, and into screenshots/192dpi/ at
# 192 dpi (200 %: the double-density pictures), to look at beside the Qt
# ones of "make screenshots".
# Usage: scripts/windows_screenshots.sh WINDOWS_BUILD
set -euo pipefail

windows_build=$(cd "$1" && pwd)
. "$(dirname "$0")/wine_session.sh"
start_wine_session "$windows_build" screenshots-windows
tool="$windows_build/ui/win32/screenshots/quarnel_win32_screenshots.exe"
shots="Z:${windows_build//\//\\}\\screenshots"
rm -rf "$windows_build/screenshots"
"$wine" "$tool" "$shots" </dev/null

# 200 %: a prefix of its own whose screen has 192 dots per inch.
(
  export WINEPREFIX="$windows_build/wine-192dpi"
  if [[ ! -f "$WINEPREFIX/system.reg" ]]; then
    "$wine" wineboot --init </dev/null >/dev/null 2>&1
    "$wine" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 192 /f </dev/null >/dev/null 2>&1
    "$wine" reg add 'HKLM\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts' \
      /v LogPixels /t REG_DWORD /d 192 /f </dev/null >/dev/null 2>&1
    wineserver -w
  fi
  trap 'wineserver -k >/dev/null 2>&1 || true' EXIT
  "$wine" "$tool" "$shots\\192dpi" </dev/null
)
