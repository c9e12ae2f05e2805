#!/usr/bin/env bash
# Installs the build into a staging folder, as `make install DESTDIR=...`
# does without root, and runs the installed program from there: a batch run
# on a copy of the sample site, the settings file in the user's folder (not
# the program's), the windows module and the manual found where installed,
# and the menu entry and icons in place.
# Usage: install_test.sh BUILD_DIR SOURCE_DIR DATA_DIR_FROM_PROGRAM MODULE_DIR_FROM_PROGRAM WITH_WINDOWS
set -u
build=$1
source=$2
data_dir=$3
module_dir=$4
with_windows=$5
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

stage=$work/stage
DESTDIR=$stage cmake --install "$build" --prefix /usr >"$work/install.log" 2>&1 ||
  fail "cmake --install failed: $(cat "$work/install.log")"
bin=$stage/usr/bin
for f in "$bin/quarnel" "$bin/$data_dir/readme.htm" "$stage/usr/share/man/man1/quarnel.1.gz" \
         "$stage/usr/share/doc/quarnel/copyright"; do
  [[ -f $f ]] || fail "not installed: ${f#"$stage"}"
done

# A batch run of the installed program on a copy of the sample site.
cp -r "$source/samples/site" "$work/site"
XDG_CONFIG_HOME=$work/config "$bin/quarnel" -v "$work/site" >"$work/out" 2>"$work/err"
status=$?
[[ $status -eq 0 ]] || fail "batch run ended with status $status: $(cat "$work/err")"
grep -q "rewrote .*/site/index.html" "$work/out" || fail "index.html not rewritten: $(cat "$work/out")"
cmp -s "$source/samples/site/keep/map.html" "$work/site/keep/map.html" || fail "the opted-out page changed"
[[ -f $work/config/quarnel/Quarnel.ini ]] || fail "no settings file in the user's folder"
[[ ! -e $bin/Quarnel.ini ]] || fail "an installed copy wrote its settings beside the program"

[[ $with_windows == ON ]] || { echo "ok (without windows)"; exit 0; }

# The module is found where it is installed: an interactive start gets as
# far as the module, which tells that there is no display.
[[ -f $bin/$module_dir/quarnel-windows.so ]] || fail "the windows module is not in $module_dir"
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM XDG_CONFIG_HOME="$work/config" \
  "$bin/quarnel" >"$work/out" 2>"$work/err"
grep -q "no display" "$work/err" || fail "the installed module was not loaded: $(cat "$work/err")"

entry=$stage/usr/share/applications/quarnel.desktop
[[ -f $entry ]] || fail "no desktop entry"
if command -v desktop-file-validate >/dev/null 2>&1; then
  desktop-file-validate "$entry" || fail "desktop-file-validate rejects the entry"
fi
for size in 16 32 48 64 128 256; do
  icon=$stage/usr/share/icons/hicolor/${size}x${size}/apps/quarnel.png
  [[ -f $icon ]] || fail "no ${size}x${size} icon"
  if command -v file >/dev/null 2>&1; then
    file "$icon" | grep -q "$size x $size" || fail "the ${size}x${size} icon is $(file -b "$icon")"
  fi
done
echo "ok"
