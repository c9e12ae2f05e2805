#!/usr/bin/env bash
# make test-windows: every test of the Windows build under Wine, then the
# batch check: quarnel.exe and the Linux quarnel on copies of the same trees
# must leave byte-identical pages, settings files and exit statuses, and say
# the same (paths aside).
#
# Usage: scripts/test_windows.sh WINDOWS_BUILD LINUX_BUILD
# Wine gets a private prefix in WINDOWS_BUILD/wine and never asks anything
# (no Mono or Gecko installer). One Xvfb and one wineserver are kept alive
# for the whole run (the wineserver makes each start of a program a tenth
# of a second instead of more than one) and shut down at the end.
set -euo pipefail

windows_build=$(cd "$1" && pwd)
linux_build=$(cd "$2" && pwd)
jobs=${JOBS:-2}

export WINEPREFIX="$windows_build/wine"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
wine=$(command -v wine || command -v wine64)

started=$SECONDS
# The windows' tests show real windows, and Wine 8 opens none without an X
# display: a private Xvfb serves the whole run (the screen of no user).
display_file=$(mktemp)
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$display_file" </dev/null >/dev/null 2>&1 &
xvfb=$!
for _ in $(seq 100); do [[ -s "$display_file" ]] && break; sleep 0.1; done
[[ -s "$display_file" ]] || { echo "test-windows: Xvfb did not start" >&2; exit 1; }
export DISPLAY=:$(cat "$display_file")
rm -f "$display_file"
stop_servers() {
  wineserver -k >/dev/null 2>&1 || true
  kill "$xvfb" 2>/dev/null || true
}
trap stop_servers EXIT
if [[ ! -f "$WINEPREFIX/system.reg" ]]; then
  echo "test-windows: making the Wine prefix $WINEPREFIX"
  "$wine" wineboot --init </dev/null >/dev/null 2>&1
fi
# (It answers 2 when one is already serving this prefix, which is as good.)
wineserver -p </dev/null >/dev/null 2>&1 || true
# Wine's own services start with the first program and live on; started
# here, they hold no test's output open (CTest would wait for it forever).
"$wine" wineboot </dev/null >/dev/null 2>&1

echo "test-windows: the tests of $windows_build under Wine"
(cd "$windows_build" && ctest --output-on-failure -j "$jobs" </dev/null)

"$(dirname "$0")/windows_batch_check.sh" "$windows_build/quarnel.exe" "$linux_build/quarnel"
echo "test-windows: passed in $((SECONDS - started)) s"
