#!/usr/bin/env bash
# Runs every libFuzzer harness in a build folder until it has done at least
# FUZZ_RUNS executions (10,000,000; the command-line harness, which runs a
# whole batch per input, FUZZ_RUNS / 10), spread over one job per core, each
# on a scratch copy of its committed seed corpus. Fails on the first finding
# and prints the executions per harness.
# Usage: run_fuzzers_long.sh <build-dir>
set -euo pipefail
build=$(cd "${1:?build folder}" && pwd)
target=${FUZZ_RUNS:-10000000}
cores=$(nproc)
root=$(cd "$(dirname "$0")/.." && pwd)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

total=0
status=0
for harness in "$build"/tests/fuzz/*_fuzz; do
  [[ -x "$harness" ]] || continue
  name=$(basename "$harness" _fuzz)
  runs=$target
  [[ $name == command_line ]] && runs=$((target / 10))
  per_job=$(((runs + cores - 1) / cores))
  work="$scratch/$name"
  mkdir -p "$work/corpus" "$work/artifacts"
  cp -r "$root/tests/fuzz/corpus/$name/." "$work/corpus/" 2>/dev/null || true
  started=$SECONDS
  (cd "$work" && "$harness" -jobs="$cores" -workers="$cores" -runs="$per_job" -max_len=65536 \
     -timeout=20 -rss_limit_mb=4096 -artifact_prefix="$work/artifacts/" corpus >/dev/null 2>&1) || true
  done_runs=0
  for log in "$work"/fuzz-*.log; do
    [[ -f $log ]] || continue
    n=$(grep -o 'Done [0-9]* runs' "$log" | awk '{print $2}' | tail -n 1)
    done_runs=$((done_runs + ${n:-0}))
  done
  if compgen -G "$work/artifacts/*" >/dev/null || ((done_runs < runs)); then
    printf 'fuzz-long %-18s FINDING after %d executions\n' "$name" "$done_runs"
    tail -n 40 "$work"/fuzz-*.log
    mkdir -p "$root/build/fuzz-findings"
    cp "$work/artifacts/"* "$root/build/fuzz-findings/" 2>/dev/null || true
    status=1
  else
    printf 'fuzz-long %-18s %12d executions  %6d s  ok\n' "$name" "$done_runs" $((SECONDS - started))
  fi
  total=$((total + done_runs))
done
printf 'fuzz-long total              %12d executions\n' "$total"
exit $status
