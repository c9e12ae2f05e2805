#!/usr/bin/env bash
# The batch check of make test-windows: quarnel.exe under Wine and the
# Linux quarnel, each run from a private copy (so each writes its own
# Quarnel.ini), on copies of the sample site and of a generated tree with
# Japanese, Korean and emoji names, blanks, read-only and hidden pages and a
# path longer than 260 characters. Pages, settings files, exit statuses and
# messages (paths aside) must be the same. Then the settings file of a
# program folder that cannot be written goes to %APPDATA%\Quarnel.
#
# Usage: scripts/windows_batch_check.sh QUARNEL_EXE LINUX_QUARNEL
# Runs with the Wine environment that scripts/test_windows.sh sets.
set -euo pipefail

exe=$1
linux=$2
wine=$(command -v wine || command -v wine64)
root=$(mktemp -d "${TMPDIR:-/tmp}/quarnel-windows-check-XXXXXX")
trap 'chmod -R u+w "$root"; rm -rf "$root"' EXIT
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
