#!/usr/bin/env bash
# Runs every libFuzzer harness in a build folder, each on a scratch copy of
# its committed seed corpus (tests/fuzz/corpus/<name>), and fails on the
# first finding. Prints the executions per harness and in all.
#   run_fuzzers.sh <build-dir> <seconds-per-harness>
#       each harness for a bounded time, in one process (CI)
#   run_fuzzers.sh <build-dir> --runs N
#       each harness until it has done at least N executions (the
#       command-line harness, which runs a whole batch per input, N / 10),
#       spread over one job per core. Such a run keeps each harness's corpus
#       and the executions done in <build-dir>/fuzz-long/<name>, so that a
#       run stopped part way (the machine was needed, the sitting ended)
#       goes on from there the next time; delete that folder to start anew.
# Names of harnesses after these (page_compaction, command_line...) run only
# those, in that order.
set -euo pipefail
build=$(cd "${1:?build folder}" && pwd)
seconds=${2:-60}
shift 2 || shift $#
runs=0
if [[ $seconds == --runs ]]; then
  runs=${1:?number of executions}
  shift
fi
harnesses=()
for name in "$@"; do harnesses+=("$build/tests/fuzz/${name}_fuzz"); done
((${#harnesses[@]})) || harnesses=("$build"/tests/fuzz/*_fuzz)
cores=$(nproc)
root=$(cd "$(dirname "$0")/.." && pwd)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

# Adds the executions that the logs in folder $1 tell of to its tally (the
# "executions" file), and removes the logs: a log of a job that was stopped
# part way still tells how far it came.
tally_logs() {
  local work=$1 log n done_runs
  done_runs=$(cat "$work/executions" 2>/dev/null || echo 0)
  for log in "$work"/fuzz-*.log; do
    [[ -e $log ]] || continue
    n=$(grep -o 'Done [0-9]* runs' "$log" | awk '{print $2}' | tail -n 1 || true)
    [[ -n $n ]] || n=$(tr '\r' '\n' <"$log" | grep -o '^#[0-9]*' | tr -d '#' | tail -n 1 || true)
    done_runs=$((done_runs + ${n:-0}))
    rm -f "$log"
  done
  echo "$done_runs" >"$work/executions"
}

# Runs harness $1 in folder $2 (corpus/ and artifacts/ inside); prints the
# executions done, or nothing when it found something.
fuzz_one() {
  local harness=$1 work=$2 name want per_job done_runs=0 n log
  # The long run shares every core among its jobs, and a command-line input
  # starts up to eight threads of its own: a loaded machine needs the
  # longer limit, or a slow input reads as a hang.
  local timeout=20
  ((runs == 0)) || timeout=60
  local flags=(-max_len=65536 -timeout="$timeout" -rss_limit_mb=4096 -artifact_prefix="$work/artifacts/")
  name=$(basename "$harness" _fuzz)
  if ((runs == 0)); then
    "$harness" -max_total_time="$seconds" "${flags[@]}" "$work/corpus" >"$work/fuzz-0.log" 2>&1 ||
      return 0
    n=$(grep -o 'Done [0-9]* runs' "$work/fuzz-0.log" | awk '{print $2}' | tail -n 1 || true)
    echo "${n:-0}"
    return 0
  fi
  want=$runs
  [[ $name == command_line ]] && want=$((runs / 10))
  # An input allocates far less than 16 MB, so a quarantine of that size
  # still holds every block it frees until it is done, and a use after free
  # is caught; AddressSanitizer's 256 MB would cost the long run page faults
  # (about a tenth of the page harness's time).
  export ASAN_OPTIONS=${ASAN_OPTIONS:-quarantine_size_mb=16}
  tally_logs "$work"
  done_runs=$(cat "$work/executions")
  if ((done_runs < want)); then
    per_job=$(((want - done_runs + cores - 1) / cores))
    (cd "$work" && "$harness" -jobs="$cores" -workers="$cores" -runs="$per_job" "${flags[@]}" \
      corpus >/dev/null 2>&1) || true
    # crash-, leak-, timeout- and oom- files are findings. A slow-unit-*
    # file is an input that took over 10 s: often only a loaded machine,
    # but once a real fault, so it is named to be run alone.
    compgen -G "$work/artifacts/[!s]*" >/dev/null && return 0
    local slow
    for slow in "$work"/artifacts/slow-unit-*; do
      [[ -e $slow ]] && echo "fuzz $name: a slow input, to run alone: $harness $slow" >&2
    done
    tally_logs "$work"
    done_runs=$(cat "$work/executions")
  fi
  ((done_runs >= want)) && echo "$done_runs"
  return 0
}

total=0
status=0
for harness in "${harnesses[@]}"; do
  [[ -x "$harness" ]] || { echo "no harness $harness" >&2; exit 2; }
  name=$(basename "$harness" _fuzz)
  work="$scratch/$name"
  ((runs == 0)) || work="$build/fuzz-long/$name"
  mkdir -p "$work/corpus" "$work/artifacts"
  cp -r "$root/tests/fuzz/corpus/$name/." "$work/corpus/" 2>/dev/null || true
  started=$SECONDS
  done_runs=$(fuzz_one "$harness" "$work")
  if [[ -n $done_runs ]]; then
    printf 'fuzz %-22s %12s executions  %6d s  ok\n' "$name" "$done_runs" $((SECONDS - started))
    total=$((total + done_runs))
  else
    printf 'fuzz %-22s FINDING\n' "$name"
    tail -n 40 "$work"/fuzz-*.log
    mkdir -p "$root/build/fuzz-findings"
    # Moved, so that a long run's next sitting starts without them.
    mv "$work/artifacts/"* "$root/build/fuzz-findings/" 2>/dev/null || true
    status=1
  fi
done
printf 'fuzz total                   %12s executions\n' "$total"
exit $status
