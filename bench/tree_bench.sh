#!/usr/bin/env bash
# Times quarnel on a tree of about 20,000 CR LF HTML files (about 400 MB, in
# nested folders) against the floors any program must pay on the same tree
# and prints the ratios with their targets:
#   quarnel                    <= 1.5 x the rewrite floor: read every file,
#                                write it back through a temporary file and a
#                                rename. quarnel's replacement also flushes
#                                the new file to the device before the rename,
#                                so that even a power cut never leaves an
#                                empty file; the floor is timed both with that
#                                flush (the same work) and without it.
#   quarnel, opted-out tree    <= 1.5 x the read-only floor (every byte once)
#   the walk alone             <= 2 x find over the same tree (a dry run over
#                                a tree of .txt files lists every folder and
#                                reads no file)
#   peak memory                <  3 x the largest file + 30 MB
# Runs that change the tree get a fresh copy each time; every figure is the
# best of ROUNDS runs, as the machine's disk is shared and noisy.
# Usage: bench/tree_bench.sh [BUILD_DIR] [WORK_DIR]
# Environment: FILES (20000), MBYTES (400), ROUNDS (3).
set -euo pipefail

build=$(realpath "${1:-build}")
work=${2:-$build/tree-bench}
files=${FILES:-20000}
mbytes=${MBYTES:-400}
rounds=${ROUNDS:-3}
tool=$build/bench/tree_tool
largest_mb=8

for f in "$build/quarnel" "$tool"; do
  [[ -x $f ]] || { echo "tree_bench: $f is missing; build first" >&2; exit 1; }
done

# Three trees and one copy live at once.
need_mb=$((mbytes * 4 + 200))
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

echo "Generating three trees of $files files, about $mbytes MB each..."
"$tool" generate "$work/tree" "$files" "$mbytes"
"$tool" generate "$work/opted" "$files" "$mbytes" --opt-out >/dev/null
"$tool" generate "$work/plain" "$files" "$mbytes" --ext txt >/dev/null

copy() {  # a fresh copy of tree $1 at $work/run, its writes flushed
  rm -rf "$work/run"
  cp -r "$work/$1" "$work/run"
  sync
}

declare -A secs rss
keep_best() {  # name, "seconds rss"
  local s r
  read -r s r _ <<<"$2"
  if [[ -z ${secs[$1]:-} ]] || awk -v a="$s" -v b="${secs[$1]}" 'BEGIN { exit !(a < b) }'; then
    secs[$1]=$s
  fi
  if [[ -z ${rss[$1]:-} ]] || ((r > rss[$1])); then rss[$1]=$r; fi
}
measure() { "$tool" measure "$@" 2>/dev/null || true; }

echo "Timing, best of $rounds..."
for ((round = 1; round <= rounds; round++)); do
  copy tree; keep_best quarnel "$(measure "$quarnel" "$work/run")"
  copy tree; keep_best rewrite-durable "$(measure "$tool" rewrite-durable "$work/run")"
  copy tree; keep_best rewrite "$(measure "$tool" rewrite "$work/run")"
done
copy opted
for ((round = 1; round <= rounds; round++)); do
  keep_best quarnel-opted "$(measure "$quarnel" "$work/run")"
  keep_best read-floor "$(measure "$tool" read "$work/run")"
done
copy plain
for ((round = 1; round <= rounds; round++)); do
  keep_best walk "$(measure "$quarnel" --dry-run "$work/run")"
  keep_best find "$(measure find "$work/run")"
done
rm -rf "$work/run"

for name in quarnel rewrite-durable rewrite quarnel-opted read-floor walk find; do
  printf '  %-34s %8.3f s  %8d KB max RSS\n' "$name" "${secs[$name]}" "${rss[$name]}"
done

ratio() { awk -v a="${secs[$1]}" -v b="${secs[$2]}" 'BEGIN { printf "%.2f", a / b }'; }
report() {  # label, numerator, denominator, target
  local r
  r=$(ratio "$2" "$3")
  printf '  %-48s %5s  (target <= %s)  %s\n' "$1" "$r" "$4" \
    "$(awk -v r="$r" -v t="$4" 'BEGIN { print (r <= t ? "ok" : "OVER") }')"
}
echo "Ratios:"
report "quarnel / rewrite floor with the same flushes" quarnel rewrite-durable 1.5
report "quarnel / rewrite floor without flushes"       quarnel rewrite         1.5
report "quarnel on opted-out tree / read floor"        quarnel-opted read-floor 1.5
report "walk alone / find"                             walk find               2
limit_kb=$(((3 * largest_mb + 30) * 1024))
peak=${rss[quarnel]}
((rss[quarnel-opted] > peak)) && peak=${rss[quarnel-opted]}
printf '  %-48s %5d KB  (limit %d KB: 3 x %d MB + 30 MB)  %s\n' "peak memory of quarnel" \
  "$peak" "$limit_kb" "$largest_mb" "$( ((peak < limit_kb)) && echo ok || echo OVER)"
