#!/usr/bin/env bash
# Runs each fuzz target for a bounded time on a scratch copy of its seed corpus.
#   fuzz/run.sh BUILD_DIR [SECONDS_EACH]     (default 30 s; QUORVEL_FUZZ_SECONDS overrides)
set -euo pipefail
cd "$(dirname "$0")/.."
build=$1
seconds=${2:-${QUORVEL_FUZZ_SECONDS:-30}}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
passed=0
failed=0
for target in prediction_pass fast_pass tsv draw_shift record_reader; do
  mkdir -p "$work/$target"
  if "$build/fuzz/${target}_fuzz" -max_total_time="$seconds" -rss_limit_mb=2048 -print_final_stats=1 \
       -artifact_prefix="$work/" "$work/$target" "fuzz/corpus/$target" > "$work/$target.log" 2>&1; then
    runs=$(grep -o 'stat::number_of_executed_units: [0-9]*' "$work/$target.log" | grep -o '[0-9]*$')
    echo "fuzz $target: $runs runs in ${seconds} s, no failure"
    passed=$((passed + 1))
  else
    echo "fuzz $target FAILED:"
    tail -n 40 "$work/$target.log"
    cp "$work"/crash-* "$work"/leak-* "$work"/timeout-* . 2>/dev/null || true
    failed=$((failed + 1))
  fi
done
echo "fuzz: $passed passed, $failed failed"
[[ $failed -eq 0 ]]
