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

# Shell completion where bash-completion and zsh look, with every option that
# the help names; bash completes options, folders after -o and pages.
bash_completion=$stage/usr/share/bash-completion/completions/quarnel
zsh_completion=$stage/usr/share/zsh/vendor-completions/_quarnel
for f in "$bash_completion" "$zsh_completion"; do
  [[ -f $f ]] || fail "not installed: ${f#"$stage"}"
done
for option in $("$bin/quarnel" --help | grep -o -- '--[a-z][a-z-]*' | sort -u); do
  grep -q -- "$option" "$bash_completion" || fail "the bash completion lacks $option"
  grep -q -- "$option" "$zsh_completion" || fail "the zsh completion lacks $option"
done
if [[ -f /usr/share/bash-completion/bash_completion ]]; then
  mkdir -p "$work/tree/a folder"
  : >"$work/tree/page.html"
  completes() {
    (cd "$work/tree" && bash -c '
      source /usr/share/bash-completion/bash_completion
      source "$1"
      COMP_WORDS=(quarnel "${@:2}"); COMP_CWORD=$(( ${#COMP_WORDS[@]} - 1 ))
      COMP_LINE="${COMP_WORDS[*]}"; COMP_POINT=${#COMP_LINE}
      _quarnel quarnel "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD-1]}"
      printf "%s|" "${COMPREPLY[@]}"' _ "$bash_completion" "$@")
  }
  [[ $(completes --outp) == "--output|" ]] || fail "--outp completes to $(completes --outp)"
  [[ $(completes -o "") == "a folder|" ]] || fail "-o completes to $(completes -o "")"
  [[ $(completes -n "") == "a folder|page.html|" ]] || fail "a path completes to $(completes -n "")"
fi
if command -v zsh >/dev/null 2>&1; then
  zsh -n "$zsh_completion" || fail "zsh cannot read the zsh completion"
fi

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
