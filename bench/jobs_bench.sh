#!/usr/bin/env bash
# Times quarnel with 1, 2, 4, 8 and 16 file jobs and with its default, side
# by side with the floors any program pays on the same tree, on two trees:
# one shaped as bench/tree_bench.sh's (pages of about 20 KB and four of
# 8 MB) and one of many small pages (about 25 KB each, none large):
#   flushed N     the durable floor: N threads that read each page, write it
#                 to a temporary file, flush it and rename it over the page,
#                 as quarnel does and nothing more
#   unflushed 1   one thread doing the same without the flush
#   read 1        one thread reading every byte once
#   quarnel, nothing to write   the default run on the tree with every page
#                 opted out, against the read floor
# Targets: the default run within 1.1 x the flushed floor with as many
# threads and within 1.2 x the unflushed one; nothing to write within
# 1.2 x the read floor. Each figure is the median of ROUNDS rounds. Every
# run that writes gets a fresh copy of its tree (see fresh), and quarnel and the floor with as many threads run back to back, taking
# turns at going first: what the file system still holds of earlier runs
# (ext4 without a journal, for one, passes over recently freed inodes when
# it makes a file) then weighs the same on both.
# Usage: bench/jobs_bench.sh [BUILD_DIR] [WORK_DIR]
# Environment: FILES (2000 per tree), ROUNDS (5), DEFAULT_JOBS (8).
set -euo pipefail

build=$(realpath "${1:-build}")
work=${2:-$build/jobs-bench}
files=${FILES:-2000}
rounds=${ROUNDS:-5}
default_jobs=${DEFAULT_JOBS:-8}
tool=$build/bench/tree_tool

for f in "$build/quarnel" "$tool"; do
  [[ -x $f ]] || { echo "jobs_bench: $f is missing; build first" >&2; exit 1; }
done
mixed_mb=$((files * 20 / 1000 + 32))
small_mb=$((files * 25 / 1000))
need_mb=$(((mixed_mb + small_mb) * 3 + 200))
mkdir -p "$work"
free_mb=$(df -Pm "$work" | awk 'NR == 2 { print $4 }')
if ((free_mb < need_mb)); then
  echo "jobs_bench: $work has ${free_mb} MB free; ${need_mb} MB are needed" >&2
  exit 1
fi
trap 'rm -rf "$work"' EXIT

# A private copy of quarnel runs with the defaults.
mkdir -p "$work/bin"
cp "$build/quarnel" "$work/bin/quarnel"
quarnel=$work/bin/quarnel

echo "Generating the trees ($files pages each)..."
printf '  mixed: '; "$tool" generate "$work/mixed" "$files" "$mixed_mb"
"$tool" generate "$work/mixed-opted" "$files" "$mixed_mb" --opt-out >/dev/null
printf '  small: '; "$tool" generate "$work/small" "$files" "$small_mb" --no-large
"$tool" generate "$work/small-opted" "$files" "$small_mb" --opt-out --no-large >/dev/null

# A fresh copy of tree $1 at $work/run, its folders made anew and its pages
# hard links to the tree's: every program replaces a page by renaming a new
# file over its name, which leaves the tree's own file as it was. Copying
# the bytes instead would make thousands of files for every run, and the
# file system's cost of making files grows with the files it has just freed.
fresh() {
  rm -rf "$work/run"
  cp -al "$work/$1" "$work/run"
  sync
}
seconds() { "$tool" measure "$@" 2>/dev/null | awk '{ print $1 }'; }

declare -A times  # "tree name" -> the seconds of every round
note() { times["$1"]="${times["$1"]:-} $2"; }
last() { awk '{ print $NF }' <<<"${times["$1"]}"; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
median() {
  tr ' ' '\n' <<<"${times["$1"]}" | grep . | sort -g |
    awk '{ v[NR] = $1 } END { print (NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2) }'
}

jobs=(1 2 4 8 16)
timed() {  # timed TREE NAME COMMAND...: COMMAND on a fresh copy of TREE
  local tree=$1 name=$2
  shift 2
  fresh "$tree"
  note "$tree $name" "$(seconds "$@" "$work/run")"
}
for ((round = 1; round <= rounds; round++)); do
  echo "Round $round of $rounds..."
  for tree in mixed small; do
    for j in "${jobs[@]}" default; do
      quarnel_run=("$quarnel" -j "$j")
      [[ $j == default ]] && quarnel_run=("$quarnel")
      floor_jobs=$j
      [[ $j == default ]] && floor_jobs=$default_jobs
      if ((round % 2)); then
        timed "$tree" "quarnel-$j" "${quarnel_run[@]}"
        timed "$tree" "flushed-$j" "$tool" replace-flushed "$floor_jobs"
      else
        timed "$tree" "flushed-$j" "$tool" replace-flushed "$floor_jobs"
        timed "$tree" "quarnel-$j" "${quarnel_run[@]}"
      fi
      note "$tree pair-$j" "$(ratio "$(last "$tree quarnel-$j")" "$(last "$tree flushed-$j")")"
    done
    timed "$tree" unflushed-1 "$tool" rewrite
    note "$tree read-1" "$(seconds "$tool" read "$work/$tree-opted")"
    note "$tree quarnel-nothing" "$(seconds "$quarnel" "$work/$tree-opted")"
  done
done
rm -rf "$work/run"

for tree in mixed small; do
  echo
  echo "Tree '$tree', median of $rounds rounds (seconds):"
  # The paired ratio is the median of each round's quarnel / floor: the two
  # ran back to back, so what drifts between rounds weighs less on it.
  printf '  %-8s %10s %12s %10s %8s\n' jobs quarnel "flushed N" ratio paired
  for j in "${jobs[@]}" default; do
    q=$(median "$tree quarnel-$j"); f=$(median "$tree flushed-$j")
    printf '  %-8s %10.3f %12.3f %10s %8.2f\n' "$j" "$q" "$f" "$(ratio "$q" "$f")" \
      "$(median "$tree pair-$j")"
  done
  q=$(median "$tree quarnel-default"); f=$(median "$tree flushed-default")
  u=$(median "$tree unflushed-1"); r=$(median "$tree read-1"); n=$(median "$tree quarnel-nothing")
  printf '  unflushed, 1 thread %8.3f   default / it: %s (target <= 1.2)\n' "$u" "$(ratio "$q" "$u")"
  printf '  read only, 1 thread %8.3f   nothing to write %.3f, ratio %s (target <= 1.2)\n' \
    "$r" "$n" "$(ratio "$n" "$r")"
  printf '  default / flushed floor with %d threads: %s, paired %.2f (target <= 1.1)\n' \
    "$default_jobs" "$(ratio "$q" "$f")" "$(median "$tree pair-default")"
done
