#!/usr/bin/env bash
# Every function of the libraries and programs fits in 60 lines (clang-tidy's
# readability-function-size, configured in .clang-tidy), so that each can be read at a glance.
#   tests/function_size_test.sh SOURCE_DIR BUILD_DIR   (BUILD_DIR holds compile_commands.json)
set -euo pipefail
source=$1
build=$2
cd "$source"
mapfile -t files < <(ls engine/*.cpp words/*.cpp presentation/*.cpp backtest/*.cpp report/*.cpp cli/*.cpp ui/*.cpp)
log=$(mktemp)
trap 'rm -f "$log"' EXIT
if printf '%s\n' "${files[@]}" | xargs -P "$(nproc)" -n 6 clang-tidy -p "$build" --quiet > "$log" 2>&1 &&
   ! grep -q "warning:" "$log"; then
  echo "1 passed, 0 failed: ${#files[@]} files, every function within 60 lines"
else
  grep -E "warning:|error:" "$log" || tail -20 "$log"
  echo "0 passed, 1 failed"
  exit 1
fi
