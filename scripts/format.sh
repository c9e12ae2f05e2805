#!/usr/bin/env bash
# The project's C++ layout (.clang-format), with Debian's clang-format 14.
#   scripts/format.sh          rewrites every tracked .cc and .h file
#   scripts/format.sh --check  changes nothing; fails naming each file that
#                              is not laid out so
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t files < <(git ls-files '*.cc' '*.h')
if [[ ${1:-} == --check ]]; then
  clang-format --dry-run -Werror "${files[@]}"
  echo "format-check: ${#files[@]} files laid out as .clang-format says"
else
  clang-format -i "${files[@]}"
fi
