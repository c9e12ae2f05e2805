#!/usr/bin/env bash
# make test-windows: every test of the Windows build under Wine, then the
# batch check: quarnel.exe and the Linux quarnel on copies of the same trees
# must leave byte-identical pages, settings files and exit statuses, and say
# the same (paths aside).
#
# Usage: scripts/test_windows.sh WINDOWS_BUILD LINUX_BUILD
# Wine gets a private prefix in WINDOWS_BUILD/wine and never asks anything
# (no Mono or Gecko installer); one wineserver is kept alive for the whole
# run, which makes each start of a program a tenth of a second instead of
# more than one, and is shut down at the end.
set -euo pipefail

windows_build=$(cd "$1" && pwd)
linux_build=$(cd "$2" && pwd)
jobs=${JOBS:-2}

export WINEPREFIX="$windows_build/wine"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export DISPLAY=
wine=$(command -v wine || command -v wine64)

started=$SECONDS
if [[ ! -f "$WINEPREFIX/system.reg" ]]; then
  echo "test-windows: making the Wine prefix $WINEPREFIX"
  "$wine" wineboot --init </dev/null >/dev/null 2>&1
fi
# (It answers 2 when one is already serving this prefix, which is as good.)
wineserver -p </dev/null >/dev/null 2>&1 || true
trap 'wineserver -k >/dev/null 2>&1 || true' EXIT
# Wine's own services start with the first program and live on; started
# here, they hold no test's output open (CTest would wait for it forever).
"$wine" wineboot </dev/null >/dev/null 2>&1

echo "test-windows: the tests of $windows_build under Wine"
(cd "$windows_build" && ctest --output-on-failure -j "$jobs" </dev/null)

"$(dirname "$0")/windows_batch_check.sh" "$windows_build/quarnel.exe" "$linux_build/quarnel"
echo "test-windows: passed in $((SECONDS - started)) s"
