#!/usr/bin/env bash
# Times quarnel on a tree of about 20,000 CR LF HTML files (about 400 MB, in
# nested folders) against the floors any program must pay on the same tree,
# each run on a fresh copy, and prints the ratios with their targets:
#   quarnel                    <= 1.5 x the rewrite floor (read, write back
#                                through a temporary file and a rename)
#   quarnel, opted-out tree    <= 1.5 x the read-only floor (every byte once)
#   the walk alone             <= 2 x find over the same tree
#   peak memory                <  3 x the largest file + 30 MB
# Usage: bench/tree_bench.sh [BUILD_DIR] [WORK_DIR]
# Environment: FILES (20000), MBYTES (400).
set -euo pipefail

build=$(realpath "${1:-build}")
work=${2:-$build/tree-bench}
files=${FILES:-20000}
mbytes=${MBYTES:-400}
tool=$build/bench/tree_tool
largest_mb=8

for f in "$build/quarnel" "$tool"; do
  [[ -x $f ]] || { echo "tree_bench: $f is missing; build first" >&2; exit 1; }
done

# Three trees and at most two copies live at once.
need_mb=$((mbytes * 5 + 200))
mkdir -p "$work"
free_mb=$(df -Pm "$work" | awk 'NR == 2 { print $4 }')
if ((free_mb < need_mb)); then
  echo "tree_bench: $work has ${free_mb} MB free; ${need_mb} MB are needed" >&2
  exit 1
fi
trap 'chmod -R u+w "$work" 2>/dev/null; rm -rf "$work"' EXIT

# quarnel keeps its settings beside itself: a private copy runs with the
# defaults and leaves the build's own Quarnel.ini alone.
mkdir -p "$work/bin"
cp "$build/quarnel" "$work/bin/quarnel"
quarnel=$work/bin/quarnel

echo "Generating $files files, about $mbytes MB each tree..."
"$tool" generate "$work/tree" "$files" "$mbytes"
"$tool" generate "$work/opted" "$files" "$mbytes" --opt-out >/dev/null
"$tool" generate "$work/plain" "$files" "$mbytes" --ext txt >/dev/null

fresh() {  # fresh copy of tree $1 at $work/run, in the page cache
  rm -rf "$work/run"
  cp -r "$work/$1" "$work/run"
  sync
}

measure() {  # prints "seconds max_rss_kb"
  "$tool" measure "$@"
}

declare -A secs rss
run() {  # name, tree, command...
  local name=$1 tree=$2
  shift 2
  fresh "$tree"
  read -r secs[$name] rss[$name] < <(measure "$@")
  printf '  %-28s %8.3f s  %8d KB max RSS\n' "$name" "${secs[$name]}" "${rss[$name]}"
}

echo "Timings (each on a fresh copy):"
run quarnel           tree  "$quarnel" "$work/run"
run rewrite-floor     tree  "$tool" rewrite "$work/run"
run find              tree  find "$work/run"
run quarnel-opted     opted "$quarnel" "$work/run"
run read-floor-opted  opted "$tool" read "$work/run"
run walk              plain "$quarnel" --dry-run "$work/run"
run find-plain        plain find "$work/run"
rm -rf "$work/run"

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
verdict() { awk -v r="$1" -v t="$2" 'BEGIN { print (r <= t ? "ok" : "OVER") }'; }
report() {  # label, numerator, denominator, target
  local r
  r=$(ratio "${secs[$2]}" "${secs[$3]}")
  printf '  %-44s %5s  (target <= %s)  %s\n' "$1" "$r" "$4" "$(verdict "$r" "$4")"
}
echo "Ratios:"
report "quarnel / rewrite floor"                 quarnel       rewrite-floor    1.5
report "quarnel on opted-out tree / read floor"  quarnel-opted read-floor-opted 1.5
report "walk alone / find"                       walk          find-plain       2
limit_kb=$(((3 * largest_mb + 30) * 1024))
peak=${rss[quarnel]}
((rss[quarnel-opted] > peak)) && peak=${rss[quarnel-opted]}
printf '  %-44s %5d KB  (limit %d KB: 3 x %d MB + 30 MB)  %s\n' "peak memory of quarnel" \
  "$peak" "$limit_kb" "$largest_mb" "$( ((peak < limit_kb)) && echo ok || echo OVER)"
