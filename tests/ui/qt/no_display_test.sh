#!/usr/bin/env bash
# Started without a display: without arguments quarnel says so and ends with
# status 1 (no abort); with a path it runs the batch without touching the
# windowing layer. Without its windows module beside it, an interactive
# start says so too, and the batch still works.
# Usage: no_display_test.sh QUARNEL_EXECUTABLE WINDOWS_MODULE
set -u
quarnel=$1
module=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$quarnel" "$work/quarnel"  # the settings file is written beside it
cp "$module" "$work/"

fail() { echo "FAIL: $*" >&2; exit 1; }

env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$work/quarnel" >"$work/out" 2>"$work/err"
status=$?
[[ $status -eq 1 ]] || fail "interactive start without a display ended with status $status"
grep -q "no display" "$work/err" || fail "no clear message: $(cat "$work/err")"
[[ ! -e "$work/Quarnel.ini" ]] || fail "an interactive start that never began wrote the settings file"

# A display that cannot be opened: still status 1 and a message, no abort.
env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM DISPLAY=:4077 "$work/quarnel" >"$work/out" 2>"$work/err"
status=$?
[[ $status -eq 1 ]] || fail "start on a display that cannot be opened ended with status $status"
grep -q "cannot open a window" "$work/err" || fail "no clear message: $(cat "$work/err")"

printf '<html>  \r\n<head>\r\n\r\n</head>\r\n' >"$work/page.html"
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$work/quarnel" "$work/page.html" 2>"$work/err"
status=$?
[[ $status -eq 0 ]] || fail "batch run without a display ended with status $status: $(cat "$work/err")"
[[ "$(cat "$work/page.html")" == $'<html>\r\n<head>\r\n</head>\r' ]] || fail "page not compacted"
[[ -f "$work/Quarnel.ini" ]] || fail "the batch run wrote no settings file"

# A batch run never loads the windowing libraries.
if command -v strace >/dev/null 2>&1; then
  printf '<html>  \r\n<head>\r\n</head>\r\n' >"$work/page.html"
  strace -f -e trace=openat -o "$work/trace" "$work/quarnel" "$work/page.html" 2>/dev/null
  ! grep -q -e "libQt6" -e "$(basename "$module")" "$work/trace" ||
    fail "a batch run loaded the windows: $(grep -e libQt6 -e "$(basename "$module")" "$work/trace" | head -3)"
fi

# Without the module: a clear message and status 1; the batch still works.
rm "$work/$(basename "$module")"
env DISPLAY=:4077 "$work/quarnel" >"$work/out" 2>"$work/err"
status=$?
[[ $status -eq 1 ]] || fail "start without the windows module ended with status $status"
grep -q "cannot open the window" "$work/err" || fail "no clear message: $(cat "$work/err")"
printf '<html>  \r\n<head>\r\n</head>\r\n' >"$work/page.html"
"$work/quarnel" "$work/page.html" 2>"$work/err" || fail "batch without the module failed: $(cat "$work/err")"
echo "ok"
