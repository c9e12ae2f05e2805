#!/usr/bin/env bash
# The batch check of make test-windows: quarnel.exe under Wine and the
# Linux quarnel, each run from a private copy (so each writes its own
# Quarnel.ini), on copies of the sample site and of a generated tree with
# Japanese, Korean and emoji names, blanks, read-only and hidden pages and a
# path longer than 260 characters. Pages, settings files, exit statuses and
# messages (paths aside) must be the same, and so must the bytes of the page
# filter (quarnel -) and a tree written under an output folder (-o). The
# programs must be linked for ASLR and DEP (objdump -p). Then: the settings file of a
# program folder that cannot be written goes to %APPDATA%\Quarnel, and
# Ctrl-C (Wine turns SIGINT into it) stops a run with status 130, no page
# torn, no temporary file left and the settings file not written.
#
# Usage: scripts/windows_batch_check.sh QUARNEL_EXE LINUX_QUARNEL
# Runs with the Wine environment that scripts/test_windows.sh sets.
set -euo pipefail

exe=$1
linux=$2
wine=$(command -v wine || command -v wine64)
root=$(mktemp -d "${TMPDIR:-/tmp}/quarnel-windows-check-XXXXXX")
readonly_mount=
cleanup() {
  [[ -z $readonly_mount ]] || umount "$readonly_mount" 2>/dev/null || true
  chmod -R u+w "$root"
  rm -rf "$root"
}
trap cleanup EXIT
samples="$(cd "$(dirname "$0")/.." && pwd)/samples/site"

fail() {
  echo "windows-batch-check: $*" >&2
  exit 1
}

# The generated tree: names in three scripts, blanks, hidden and read-only
# pages, a page more than 260 characters deep.
make_tree() {
  local t=$1 page
  page=$'<html>\r\n<head>  \r\n<title>t</title>\r\n\r\n</head>\r\n<body>\r\n<p>one\r\ntwo</p>   \r\n</body>\r\n'
  mkdir -p "$t/日本語 フォルダ/서브" "$t/emoji 😀" "$t/my site" "$t/.hidden folder"
  printf '%s' "$page" >"$t/日本語 フォルダ/索引.htm"
  printf '%s' "$page" >"$t/日本語 フォルダ/서브/한국어 페이지.html"
  printf '%s' "$page" >"$t/emoji 😀/🎉 party.shtml"
  printf '%s' "$page" >"$t/my site/a page.htm"
  printf '%s' "$page" >"$t/my site/.hidden page.htm"
  printf '%s' "$page" >"$t/.hidden folder/inside.htm"
  printf '%s' "$page" >"$t/my site/locked.htm"
  chmod a-w "$t/my site/locked.htm"
  local deep="$t/long"
  for i in 1 2 3 4 5; do deep="$deep/folder-$i-$(printf 'x%.0s' {1..50})"; done
  mkdir -p "$deep"
  printf '%s' "$page" >"$deep/deep page.html"
  (( ${#deep} > 260 )) || fail "the long path is only ${#deep} characters"
}

# Z:\... for a Linux path, as Wine maps the root.
windows_path() { printf 'Z:%s' "${1//\//\\}"; }

# Runs one side on its copy of the trees. Arguments after the side's name are
# paths relative to its folder; stdout and stderr go to files, with the
# side's folder and separator written as on Linux.
run_side() {
  local side=$1 status=0
  shift
  local base="$root/$side" args=()
  if [[ $side == windows ]]; then
    for a in "$@"; do args+=("$(windows_path "$base/$a")"); done
    (cd "$base" && "$wine" bin/quarnel.exe -v "${args[@]}" >"$root/$side.out" 2>"$root/$side.err" </dev/null) || status=$?
    for f in "$root/$side.out" "$root/$side.err"; do
      sed -i "s|\\\\|/|g; s|Z:$base|@|g" "$f"
    done
  else
    for a in "$@"; do args+=("$base/$a"); done
    (cd "$base" && bin/quarnel -v "${args[@]}" >"$root/$side.out" 2>"$root/$side.err" </dev/null) || status=$?
    sed -i "s|$base|@|g" "$root/$side.out" "$root/$side.err"
  fi
  echo "$status" >"$root/$side.status"
}

make_tree "$root/pristine"
for side in linux windows; do
  mkdir -p "$root/$side/bin"
  cp -r "$samples" "$root/$side/site"
  chmod a-w "$root/$side/site/legal/terms.htm"
  make_tree "$root/$side/tree"
done
cp "$exe" "$root/windows/bin/quarnel.exe"
cp "$linux" "$root/linux/bin/quarnel"

# Folders (the hidden page and folder left out), then a hidden page and a
# deep page given by name.
paths=(site tree "tree/my site/.hidden page.htm" "tree/日本語 フォルダ/서브/한국어 페이지.html")
run_side linux "${paths[@]}"
run_side windows "${paths[@]}"

diff -r "$root/linux/site" "$root/windows/site" || fail "the sample site differs"
diff -r "$root/linux/tree" "$root/windows/tree" || fail "the generated tree differs"
cmp "$root/linux/bin/Quarnel.ini" "$root/windows/bin/Quarnel.ini" || fail "the settings files differ"
[[ $(cat "$root/linux.status") == 1 ]] || fail "Linux ended with $(cat "$root/linux.status"), not 1"
cmp "$root/linux.status" "$root/windows.status" || fail "the exit statuses differ"
# The walk order of a folder is the file system's on either side.
diff <(sort "$root/linux.out") <(sort "$root/windows.out") || fail "standard output differs"
diff <(sort "$root/linux.err") <(sort "$root/windows.err") || fail "standard error differs"
cmp -s "$root/pristine/my site/.hidden page.htm" "$root/windows/tree/my site/.hidden page.htm" &&
  fail "the hidden page given by name was not rewritten"
[[ -z $(find "$root" -name '*.quarnel-*.tmp') ]] || fail "a temporary file was left"
rewritten=$(grep -c '^rewrote' "$root/windows.out")
echo "windows-batch-check: $rewritten pages rewritten alike, read-only pages left alike, status $(cat "$root/windows.status") on both"

# The page filter: the page's bytes through standard input and output
# untranslated (no CR LF made of a line feed or the other way round), through
# the console launcher as cmd and PowerShell start it; the same bytes as the
# Linux program's.
cp "${exe%.exe}.com" "$root/windows/bin/quarnel.com"
printf '<html>\r\n<head>  \r\n<p>one\r\ntwo</p>  \n\r\n<pre>\n  kept  \n</pre>\r\nend' >"$root/filter.htm"
"$root/linux/bin/quarnel" - <"$root/filter.htm" >"$root/filter.linux" || fail "the Linux filter failed"
"$wine" "$root/windows/bin/quarnel.com" - <"$root/filter.htm" >"$root/filter.windows" ||
  fail "the page filter failed: $(cat "$root/filter.windows")"
cmp "$root/filter.linux" "$root/filter.windows" || fail "the page filter's bytes differ"
cmp -s "$root/filter.htm" "$root/filter.windows" && fail "the page filter changed nothing"
echo "windows-batch-check: quarnel - gives the Linux program's bytes"

# An output folder: the pristine tree (a read-only page and a path past 260
# characters in it) mirrored alike on both sides, the sources untouched.
(cd "$root/linux" && bin/quarnel -o out "$root/pristine" >/dev/null 2>"$root/linux.err") ||
  fail "the Linux run with an output folder failed: $(cat "$root/linux.err")"
(cd "$root/windows" && "$wine" bin/quarnel.exe -o out "$(windows_path "$root/pristine")" \
  >/dev/null 2>"$root/windows.err" </dev/null) ||
  fail "the run with an output folder failed: $(cat "$root/windows.err")"
diff -r "$root/linux/out" "$root/windows/out" || fail "the output folders differ"
make_tree "$root/again"
diff -r "$root/pristine" "$root/again" || fail "a source changed"
echo "windows-batch-check: -o mirrors the tree alike ($(find "$root/windows/out" -type f | wc -l) pages)"

# Linked with ASLR (64-bit entropy) and DEP.
objdump=$(command -v x86_64-w64-mingw32-objdump || command -v objdump)
for program in "$exe" "${exe%.exe}.com"; do
  flags=$("$objdump" -p "$program" | sed -n '/^DllCharacteristics/,/^[A-Z]/p')
  for flag in HIGH_ENTROPY_VA DYNAMIC_BASE NX_COMPAT; do
    grep -qw "$flag" <<<"$flags" || fail "$(basename "$program") is linked without $flag"
  done
done
echo "windows-batch-check: quarnel.exe and quarnel.com have HIGH_ENTROPY_VA, DYNAMIC_BASE and NX_COMPAT"

# The program folder cannot be written (as an installed copy): the settings
# go to %APPDATA%\Quarnel\Quarnel.ini. Root writes anywhere, so root gets a
# read-only bind mount instead of a folder without write permission.
appdata_ini() { find "$WINEPREFIX/drive_c/users" -path '*/AppData/Roaming/Quarnel/Quarnel.ini' 2>/dev/null; }
installed="$root/installed"
mkdir -p "$installed/bin" "$installed/pages"
cp "$exe" "$installed/bin/quarnel.exe"
printf '<head>  \r\n<p>x</p>\r\n' >"$installed/pages/a.htm"
appdata_before=$(appdata_ini)
[[ -z $appdata_before ]] || rm -f "$appdata_before"
readonly_folder=yes
if [[ $(id -u) -ne 0 ]]; then
  chmod a-w "$installed/bin"
elif mount --bind "$installed/bin" "$installed/bin" 2>/dev/null; then
  readonly_mount="$installed/bin"
  mount -o remount,bind,ro "$installed/bin" 2>/dev/null || readonly_folder=
else
  readonly_folder=
fi
if [[ -n $readonly_folder ]]; then
  "$wine" "$installed/bin/quarnel.exe" "$(windows_path "$installed/pages/a.htm")" </dev/null ||
    fail "the run with a read-only program folder failed"
  [[ -n $(appdata_ini) ]] || fail "no settings file in %APPDATA%\\Quarnel"
  [[ ! -e "$installed/bin/Quarnel.ini" ]] || fail "a settings file in the read-only program folder"
  [[ $(cat "$installed/pages/a.htm") == $'<head>\r\n<p>x</p>\r' ]] || fail "the page was not compacted"
  rm -f "$(appdata_ini)"
  echo "windows-batch-check: a read-only program folder sends the settings to %APPDATA%\\Quarnel"
else
  echo "windows-batch-check: skipped the read-only program folder: root here cannot mount one read-only"
fi

# Ctrl-C in the middle of a run over 300 pages of 400 KB, once the first
# page has been rewritten. A console user's Ctrl-C reaches the console
# launcher quarnel.com (quarnel.exe is a GUI program), which asks
# quarnel.exe to stop.
big="$root/interrupted"
mkdir -p "$big/bin" "$big/pages"
cp "$exe" "$big/bin/quarnel.exe"
cp "${exe%.exe}.com" "$big/bin/quarnel.com"
{
  printf '<html>\r\n<head>  \r\n</head>\r\n<body>\r\n'
  printf '<p>one\r\ntwo</p>   \r\n%.0s' $(seq 20000)
  printf '</body>\r\n'
} >"$big/pages/p000.htm"
for i in $(seq -w 1 299); do cp "$big/pages/p000.htm" "$big/pages/p$i.htm"; done
old=$(md5sum <"$big/pages/p000.htm")
"$wine" "$big/bin/quarnel.com" -v "$(windows_path "$big/pages")" >"$big/out" 2>"$big/err" </dev/null &
pid=$!
for _ in $(seq 200); do
  grep -q '^rewrote' "$big/out" && break
  sleep 0.05
done
kill -INT "$pid"
status=0
wait "$pid" || status=$?
[[ $status == 130 ]] || fail "an interrupted run ended with $status, not 130"
grep -qx 'quarnel: interrupted' "$big/err" || fail "an interrupted run did not say so"
rewritten=$(grep -c '^rewrote' "$big/out")
(( rewritten < 300 )) || fail "the run ended before the interrupt"
new=$(md5sum <"$big/pages/p000.htm")
[[ $new != "$old" ]] || fail "the first page was not rewritten"
for f in "$big/pages"/*.htm; do
  sum=$(md5sum <"$f")
  [[ $sum == "$old" || $sum == "$new" ]] || fail "$f is torn"
done
[[ $(ls -A "$big/pages" | wc -l) == 300 ]] || fail "a temporary file was left"
[[ ! -e "$big/bin/Quarnel.ini" ]] || fail "an interrupted run wrote the settings file"
echo "windows-batch-check: Ctrl-C stopped a run after $rewritten of 300 pages: status 130, no page torn, nothing left behind"
