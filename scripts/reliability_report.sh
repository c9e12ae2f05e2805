#!/usr/bin/env bash
# Prints the figures the fault tests wrote (one "figure" line per test, see
# tests/support/fault_support.h) as a table: per kind of fault, the runs,
# the faults injected, the files checked afterwards and what became of them.
# With a second argument, the output of scripts/run_fuzzers.sh is added.
# Usage: reliability_report.sh <figures-file> [fuzz-log]
set -euo pipefail
figures=${1:?figures file}
fuzzlog=${2:-}

if [[ -n "$fuzzlog" && -s "$fuzzlog" ]]; then
  echo
  echo "| Fuzz harness | Executions |"
  echo "|---|---:|"
  awk '$1 == "fuzz" && $2 != "total" { printf "| %s | %s |\n", $2, $3 }
       $1 == "fuzz" && $2 == "total" { printf "| **total** | **%s** |\n", $3 }' "$fuzzlog"
fi

echo
if [[ ! -s "$figures" ]]; then
  echo "no fault figures were written (were the fault tests skipped?)"
  exit 0
fi
echo "| Fault | Runs | Faults injected | Files checked | Unchanged | Replaced whole | Lost | Corrupted | Temporary files left |"
echo "|---|---:|---:|---:|---:|---:|---:|---:|---:|"
awk -F'\t' '
  $1 == "figure" {
    kind = $2
    if (!(kind in seen)) { seen[kind] = 1; order[++n] = kind }
    for (i = 3; i <= NF; i++) {
      split($i, kv, "=")
      if (kv[1] != "" && kv[2] != "") sum[kind, kv[1]] += kv[2]
    }
  }
  END {
    split("runs faults files unchanged replaced lost corrupted leftovers", keys, " ")
    for (k = 1; k <= n; k++) {
      kind = order[k]
      line = "| " kind
      for (j = 1; j <= 8; j++) { line = line " | " sum[kind, keys[j]] + 0; total[j] += sum[kind, keys[j]] }
      print line " |"
    }
    line = "| **all**"
    for (j = 1; j <= 8; j++) line = line " | **" total[j] + 0 "**"
    print line " |"
  }' "$figures"
