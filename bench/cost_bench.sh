#!/usr/bin/env bash
# Prints, in one run, what compaction costs from a page's bytes to its new
# bytes and what a whole run costs against the floors any program pays:
#   engine, both modes         GB/s of engine_bench's whole road from a
#                              page's bytes to its new bytes (target >= 3)
#   CPU of a default run       user + sys on a tree of bench/tree_bench.sh's
#                              shape; with BASELINE (another quarnel binary)
#                              that one's CPU on the same copies beside it,
#                              and the ratio (target <= 0.6)
#   default / flushed floor    the default run against as many threads that
#                              read, write, flush and rename each page,
#                              paired round by round (target <= 1.05)
#   default / unflushed floor  against one thread doing the same without the
#                              flush (target <= 1.0)
#   nothing to write           a tree already compacted with --repeat, run
#                              again with --repeat, against reading every
#                              byte once (target <= 1.2)
#   peak memory                a dry run and a default run over SMALL small
#                              pages against the same over 1,000 and 10,000
#                              (target: no more on the larger tree)
# Every run that writes gets a fresh copy of its tree; times and CPU are
# medians of ROUNDS rounds, as the machine's disk is shared and noisy.
# Usage: bench/cost_bench.sh [BUILD_DIR] [WORK_DIR]
# Environment: FILES (20000), MBYTES (400), ROUNDS (3), SMALL (100000),
#              DEFAULT_JOBS (8), BASELINE (unset).
set -euo pipefail

build=$(realpath "${1:-build}")
work=${2:-$build/cost-bench}
files=${FILES:-20000}
mbytes=${MBYTES:-400}
rounds=${ROUNDS:-3}
small=${SMALL:-100000}
default_jobs=${DEFAULT_JOBS:-8}
baseline=${BASELINE:-}
tool=$build/bench/tree_tool
quarnel=$build/quarnel

for f in "$quarnel" "$tool" "$build/bench/engine_bench" ${baseline:+"$baseline"}; do
  [[ -x $f ]] || { echo "cost_bench: $f is missing; build first" >&2; exit 1; }
done
small_mb=$((small * 2 / 1000 + 22))
need_mb=$((mbytes * 3 + small_mb * 2 + 200))
mkdir -p "$work"
free_mb=$(df -Pm "$work" | awk 'NR == 2 { print $4 }')
if ((free_mb < need_mb)); then
  echo "cost_bench: $work has ${free_mb} MB free; ${need_mb} MB are needed" >&2
  exit 1
fi
trap 'rm -rf "$work"' EXIT

echo "The engine on engine_bench's corpus..."
engine=$("$build/bench/engine_bench" --benchmark_filter=BM_CompactPage 2>/dev/null)
gbs() { awk -v l="$1" 'index($0, l) == 1 { print $(NF - 1) }' <<<"$engine"; }

echo "Generating the trees..."
printf '  pages:    '; "$tool" generate "$work/tree" "$files" "$mbytes"
printf '  small:    '; "$tool" generate "$work/small-$small" "$small" "$small_mb" --no-large
printf '  1,000:    '; "$tool" generate "$work/small-1000" 1000 2 --no-large
printf '  10,000:   '; "$tool" generate "$work/small-10000" 10000 20 --no-large

# A fresh copy of tree $1 at $work/run: its folders made anew, its pages
# hard links to the tree's (every program renames a new file over a page,
# which leaves the tree's own file as it was).
fresh() {
  rm -rf "$work/run"
  cp -al "$work/$1" "$work/run"
  sync
}
declare -A seen  # "name" -> the figures of every round, one "SECONDS RSS CPU" each
measure() {  # measure NAME COMMAND...: COMMAND over $work/run
  local name=$1
  shift
  seen[$name]="${seen[$name]:-}$("$tool" measure "$@" "$work/run" 2>/dev/null)"$'\n'
}
column() { awk -v c="$2" 'NF { print $c }' <<<"${seen[$1]}"; }
median() {
  column "$1" "${2:-1}" | sort -g |
    awk '{ v[NR] = $1 } END { print (NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2) }'
}
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
paired() {  # the median of each round's $1 / $2
  paste <(column "$1" 1) <(column "$2" 1) | awk '{ print $1 / $2 }' | sort -g |
    awk '{ v[NR] = $1 } END { printf "%.2f", (NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2) }'
}

for ((round = 1; round <= rounds; round++)); do
  echo "Round $round of $rounds..."
  # Taking turns at going first: what the file system still holds of the
  # run before weighs the same on both.
  if ((round % 2)); then
    fresh tree; measure quarnel "$quarnel"
    fresh tree; measure flushed "$tool" replace-flushed "$default_jobs"
  else
    fresh tree; measure flushed "$tool" replace-flushed "$default_jobs"
    fresh tree; measure quarnel "$quarnel"
  fi
  if [[ -n $baseline ]]; then fresh tree; measure baseline "$baseline"; fi
  fresh tree; measure unflushed "$tool" rewrite
done
fresh tree
"$quarnel" --repeat "$work/run" >/dev/null 2>&1
for ((round = 1; round <= rounds; round++)); do
  measure nothing "$quarnel" --repeat
  measure read "$tool" read
done
for tree in 1000 10000 "$small"; do
  fresh "small-$tree"; measure "dry $tree" "$quarnel" --dry-run
  measure "run $tree" "$quarnel"
done
rm -rf "$work/run"

verdict() { awk -v r="$1" -v t="$2" -v d="$3" 'BEGIN { print ((d == "<=" ? r <= t : r >= t) ? "ok" : "MISSED") }'; }
row() {  # label, figure, unit, target sign, target
  printf '  %-46s %8s %-5s (target %s %s)  %s\n' "$1" "$2" "$3" "$4" "$5" "$(verdict "$2" "$5" "$4")"
}
echo
echo "Tree: $files pages, $mbytes MB; medians of $rounds rounds"
row "engine, size first" "$(gbs 'engine, size first')" GB/s ">=" 3
row "engine, legibility first" "$(gbs 'engine, legibility first')" GB/s ">=" 3
printf '  %-46s %8.3f s\n' "CPU (user + sys) of a default run" "$(median quarnel 3)"
if [[ -n $baseline ]]; then
  printf '  %-46s %8.3f s\n' "the same, $(basename "$baseline")" "$(median baseline 3)"
  row "CPU against it" "$(ratio "$(median quarnel 3)" "$(median baseline 3)")" "x" "<=" 0.6
  # What the durable replacement alone costs, with no compaction at all:
  # no run that keeps its pages safe can go below this.
  printf '  %-46s %8.3f s, %s x the baseline\n' "CPU of the flushed floor" "$(median flushed 3)" \
    "$(ratio "$(median flushed 3)" "$(median baseline 3)")"
fi
printf '  %-46s %8.3f s, floor %.3f s\n' "default run, flushed floor with $default_jobs threads" \
  "$(median quarnel)" "$(median flushed)"
row "  paired ratio" "$(paired quarnel flushed)" x "<=" 1.05
row "default run / unflushed 1-thread floor ($(median unflushed) s)" \
  "$(ratio "$(median quarnel)" "$(median unflushed)")" x "<=" 1.0
row "nothing to write ($(median nothing) s) / read ($(median read) s)" \
  "$(ratio "$(median nothing)" "$(median read)")" x "<=" 1.2
# Beyond the walk's own list of folders (the larger trees have twice as
# many) and the pages the walk may hand ahead, nothing grows with the tree.
for kind in dry run; do
  low=$(median "$kind 1000" 2)
  mid=$(median "$kind 10000" 2)
  high=$(median "$kind $small" 2)
  printf '  %-46s %8d KB; 10,000: %d KB; 1,000: %d KB  %s\n' "peak memory, $kind, $small pages" \
    "$high" "$mid" "$low" "$(awk -v a="$high" -v b="$low" 'BEGIN { print (a <= b ? "ok" : "MISSED") }')"
done
