#!/usr/bin/env bash
# What the rules do to today's pages: a tree of CR LF pages and the same
# tree with LF line ends, both holding <style>, <pre> and <script> blocks.
# For each, prints the pages rewritten, the bytes saved, whether every
# block's content is byte-identical after the run (line ends aside), and
# whether a second run finds anything left to do, for one pass and for
# --repeat; then the time of a default run on the CR LF tree.
# Usage: bench/blocks_bench.sh [BUILD_DIR] [WORK_DIR]
# Environment: FILES (4000), MBYTES (100), ROUNDS (3).
set -euo pipefail

build=$(realpath "${1:-build}")
work=${2:-$build/blocks-bench}
files=${FILES:-4000}
mbytes=${MBYTES:-100}
rounds=${ROUNDS:-3}
tool=$build/bench/tree_tool
for f in "$build/quarnel" "$tool"; do
  [[ -x $f ]] || { echo "blocks_bench: $f is missing; build first" >&2; exit 1; }
done
mkdir -p "$work/bin"
trap 'rm -rf "$work"' EXIT
cp "$build/quarnel" "$work/bin/quarnel"  # its own Quarnel.ini: the defaults
quarnel=$work/bin/quarnel

echo "Generating two trees of $files pages, about $mbytes MB each..."
"$tool" generate "$work/crlf" "$files" "$mbytes" --blocks --no-large >/dev/null
"$tool" generate "$work/lf" "$files" "$mbytes" --blocks --no-large --lf >/dev/null

# The summary's counts: "N files examined, M rewritten, F failed; B bytes
# before, A after (S saved)".
summary() { sed -n 's/^\([0-9]*\) files examined, \([0-9]*\) rewritten.* \([0-9]*\) bytes before, \([0-9]*\) after.*/\1 \2 \3 \4/p'; }

printf '\n  %-6s %-9s %7s %9s %8s  %-22s %s\n' tree run pages rewritten saved "blocks kept" "second run rewrites"
for tree in crlf lf; do
  for mode in one-pass repeat; do
    flags=()
    [[ $mode == repeat ]] && flags=(--repeat)
    rm -rf "$work/run"
    cp -r "$work/$tree" "$work/run"
    before=$("$tool" blocks "$work/run" 2>/dev/null)
    read -r pages rewritten bytes_before bytes_after < <("$quarnel" -v "${flags[@]}" "$work/run" | summary)
    after=$("$tool" blocks "$work/run" 2>/dev/null)
    read -r _ again _ _ < <("$quarnel" -v "${flags[@]}" "$work/run" | summary)
    kept=$([[ $before == "$after" ]] && echo "yes (${before%%,*})" || echo "NO: $before / $after")
    saved=$(awk -v b="$bytes_before" -v a="$bytes_after" 'BEGIN { printf "%.2f%%", 100 * (b - a) / b }')
    printf '  %-6s %-9s %7s %9s %8s  %-22s %s\n' "$tree" "$mode" "$pages" "$rewritten" "$saved" "$kept" "$again"
  done
done

best=""
for ((round = 1; round <= rounds; round++)); do
  rm -rf "$work/run"; cp -r "$work/crlf" "$work/run"; sync
  read -r s _ < <("$tool" measure "$quarnel" "$work/run" 2>/dev/null)
  if [[ -z $best ]] || awk -v a="$s" -v b="$best" 'BEGIN { exit !(a < b) }'; then best=$s; fi
done
printf '\n  default run on the CR LF tree: %.3f s (best of %d)\n' "$best" "$rounds"
