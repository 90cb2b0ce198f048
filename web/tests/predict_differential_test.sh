#!/usr/bin/env bash
# The WebAssembly quorvel-predict under node against the native one, byte for byte: the answers,
# the messages and the exit status, on 300,000 realistic and adversarial grids and on every seed
# of the TSV fuzz corpus.
#   web/tests/predict_differential_test.sh NATIVE_PREDICT WEB_PREDICT_JS WEB_TESTS_DIR
set -u
native=$1
web=$2
tests=$3
if [[ ! -f $web ]]; then
  echo "no web build at $web (cmake --preset web && cmake --build --preset web): skipped"
  exit 77
fi
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
passed=0
failed=0
# same NAME INPUT ARGS...: both programs give the same output, messages and status.
same() {
  local name=$1 input=$2
  shift 2
  "$native" "$@" < "$input" > "$dir/native.out" 2> "$dir/native.err"
  local native_rc=$?
  node "$web" "$@" < "$input" > "$dir/web.out" 2> "$dir/web.err"
  local web_rc=$?
  if [[ $native_rc -eq $web_rc ]] && cmp -s "$dir/native.out" "$dir/web.out" &&
     cmp -s "$dir/native.err" "$dir/web.err"; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    echo "FAIL $name: exit $native_rc against $web_rc"
    cmp "$dir/native.out" "$dir/web.out" | head -1
    diff "$dir/native.err" "$dir/web.err" | head -4
  fi
}
node "$tests/make_grids.mjs" 300000 > "$dir/grids.tsv"
same "300,000 grids" "$dir/grids.tsv" --tsv
echo "ok   300,000 grids: $(wc -l < "$dir/native.out") answers alike"
for seed in "$tests"/../../fuzz/corpus/tsv/*; do same "fuzz seed $(basename "$seed")" "$seed" --tsv; done
same "one grid from the arguments" /dev/null 3 5 8 16 2 7 1 10 9 0 4 13
same "a failing grid" /dev/null 1 1 1 50000 1 1 1 50000 1 1 1 1
echo "$passed passed, $failed failed"
exit $((failed > 0))
