#!/usr/bin/env bash
# make screenshots-windows: the native windows rendered under Wine into
# WINDOWS_BUILD/screenshots/, to look at beside the Qt ones of
# "make screenshots".
# Usage: scripts/windows_screenshots.sh WINDOWS_BUILD
set -euo pipefail

windows_build=$(cd "$1" && pwd)
. "$(dirname "$0")/wine_session.sh"
start_wine_session "$windows_build" screenshots-windows
rm -rf "$windows_build/screenshots"
"$wine" "$windows_build/ui/win32/screenshots/quarnel_win32_screenshots.exe" \
  "Z:${windows_build//\//\\}\\screenshots" </dev/null
