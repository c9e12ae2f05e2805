#!/usr/bin/env bash
# make test-windows: every test of the Windows build under Wine, then the
# batch check: quarnel.exe and the Linux quarnel on copies of the same trees
# must leave byte-identical pages, settings files and exit statuses, and say
# the same (paths aside).
#
# Usage: scripts/test_windows.sh WINDOWS_BUILD LINUX_BUILD
# Wine runs as scripts/wine_session.sh sets it up.
set -euo pipefail

windows_build=$(cd "$1" && pwd)
linux_build=$(cd "$2" && pwd)
jobs=${JOBS:-2}

. "$(dirname "$0")/wine_session.sh"
started=$SECONDS
start_wine_session "$windows_build" test-windows

echo "test-windows: the tests of $windows_build under Wine"
(cd "$windows_build" && ctest --output-on-failure -j "$jobs" </dev/null)

"$(dirname "$0")/windows_batch_check.sh" "$windows_build/quarnel.exe" "$linux_build/quarnel"
echo "test-windows: passed in $((SECONDS - started)) s"
