#!/usr/bin/env bash
# Runs quorvel-predict as a user would and checks its output and exit status.
set -u
predict=$1
failures=0

check() {  # check NAME EXPECTED_STATUS EXPECTED_STDOUT_PATTERN ARGS...
  local name=$1 status=$2 pattern=$3
  shift 3
  local out rc
  out=$("$predict" "$@" 2>&1)
  rc=$?
  if [[ $rc -ne $status ]]; then
    echo "FAIL $name: exit $rc, expected $status"; echo "$out"; failures=$((failures + 1))
  elif ! grep -qE -- "$pattern" <<<"$out"; then
    echo "FAIL $name: output does not match /$pattern/"; echo "$out"; failures=$((failures + 1))
  else
    echo "ok   $name"
  fi
}

empty=("" "" "" "" "" "" "" "" "" "" "" "")
check "a full grid completes" 0 "^极限号码$" 3 5 8 16 2 7 1 10 9 0 4 13
check "the empty grid completes" 0 "^3N：3２$" "${empty[@]}"
check "an overflow exits 1 with the report" 1 "运行时错误 '6'：溢出" 40000 "" "" "" "" "" "" "" "" "" "" ""
check "a subscript failure exits 1" 1 "运行时错误 '9'：下标越界" "" "" "" "" -1 "" "" "" "" "" "" ""
check "negative cells need no separator" 1 "'9'" -1 -.5 "" "" -1 "" "" "" "" "" "" ""
check "-- ends the options" 0 "^预测号码范围$" -- --tsv "" "" "" "" "" "" "" "" "" "" ""
check "too few cells is a usage error" 2 "expected 12 cells, got 2" 1 2
check "an unknown option is a usage error" 2 "unknown option --bogus" --bogus
check "--tsv takes no cells" 2 "takes no cells" --tsv 1
check "--help exits 0" 0 "CELL0 ... CELL11" --help

out=$(printf '1\t2\t3\t6\t4\t5\t6\t15\t7\t8\t9\t24\nbad\n' | "$predict" --tsv 2>/tmp/quorvel_predict_err.$$)
rc=$?
if [[ $rc -eq 2 && $out == "3 5 6 8 9 10 11 12 13 14 15 17 20 23 "$'\t'* ]] &&
   grep -q "line 2:" /tmp/quorvel_predict_err.$$; then
  echo "ok   --tsv reports the bad line after the good one"
else
  echo "FAIL --tsv: exit $rc, output: $out"; failures=$((failures + 1))
fi
rm -f /tmp/quorvel_predict_err.$$

echo "$(( 12 - failures )) passed, $failures failed"
exit $(( failures > 0 ))
