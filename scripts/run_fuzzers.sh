#!/usr/bin/env bash
# Runs every libFuzzer harness in a build folder for a bounded time, each on
# a scratch copy of its committed seed corpus (tests/fuzz/corpus/<name>), and
# fails on the first finding. Prints the executions per harness and in all.
# Usage: run_fuzzers.sh <build-dir> <seconds-per-harness>
set -euo pipefail
build=${1:?build folder}
seconds=${2:-60}
root=$(cd "$(dirname "$0")/.." && pwd)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

total=0
status=0
for harness in "$build"/tests/fuzz/*_fuzz; do
  [[ -x "$harness" ]] || continue
  name=$(basename "$harness" _fuzz)
  corpus="$scratch/$name"
  mkdir -p "$corpus" "$scratch/artifacts-$name"
  cp -r "$root/tests/fuzz/corpus/$name/." "$corpus/" 2>/dev/null || true
  log="$scratch/$name.log"
  if "$harness" -max_total_time="$seconds" -max_len=65536 -timeout=20 -rss_limit_mb=4096 \
       -artifact_prefix="$scratch/artifacts-$name/" "$corpus" >"$log" 2>&1; then
    runs=$(grep -o 'Done [0-9]* runs' "$log" | awk '{print $2}' | tail -n 1)
    printf 'fuzz %-22s %12s executions  ok\n' "$name" "${runs:-?}"
    total=$((total + ${runs:-0}))
  else
    printf 'fuzz %-22s FINDING\n' "$name"
    tail -n 40 "$log"
    mkdir -p "$root/build/fuzz-findings"
    cp "$scratch/artifacts-$name/"* "$root/build/fuzz-findings/" 2>/dev/null || true
    status=1
  fi
done
printf 'fuzz total                   %12s executions\n' "$total"
exit $status
