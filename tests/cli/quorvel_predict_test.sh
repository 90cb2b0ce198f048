#!/usr/bin/env bash
# Runs quorvel-predict as a user would and checks its output and exit status.
set -u
predict=$1
version=$2
record=${3:-}
passed=0
failures=0
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT

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
    echo "ok   $name"; passed=$((passed + 1))
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
check "each list says what following it costs" 0 "^随机落入 62.4%　投注 13 注 26 元　平均返还 13.54 元（亏 12.46 元）$" \
  3 5 8 16 2 7 1 10 9 0 4 13
check "--game pl3 prices every straight number of each sum" 0 \
  "^随机落入 36.6%　投注 366 注 732 元　平均返还 380.64 元（亏 351.36 元）$" --game pl3 3 5 8 16 2 7 1 10 9 0 4 13
check "an unknown game is a usage error naming the known ones" 2 "must be one of 3d, pl3" --game ssq 1
check "--json gives each list's odds" 0 '"box":"Text2","caption":"预测号码范围","text":"4 5 8 9 10 11 12 14 15 17 20 22 23 ","chance":0.624,"stake":26,"expectedReturn":13.543' \
  --json 3 5 8 16 2 7 1 10 9 0 4 13
check "--json leaves out what a failure did not write" 1 '^\{"outputs":\[\{"box":"Text2".*\}\],"failure":6,"report":"运行时错误' \
  --json 1 1 1 50000 1 1 1 50000 1 1 1 1
check "--json is for one grid" 2 "--json is for one grid" --json --tsv
check "an unknown option is a usage error" 2 "unknown option --bogus" --bogus
check "--tsv takes no cells" 2 "takes no cells" --tsv 1
check "--help exits 0" 0 "CELL0 ... CELL11" --help
check "--version prints the project's version" 0 "^quorvel-predict $version\$" --version
check "an overflowing digit names its cell" 1 'cell 1 "40000" in the latest digits' \
  40000 5 8 16 2 7 1 10 9 0 4 13
check "an overflowing product names both cells" 1 'cell 4 "50000" × cell 8 "50000" in the key rules' \
  1 1 1 50000 1 1 1 50000 1 1 1 1
check "a negative tail names its combination" 1 'cell 2 "" \+ cell 5 "-1" \+ cell 7 ""' \
  "" "" "" "" -1 "" "" "" "" "" "" ""

# The same grids through the filter answer exactly as before: nothing but the failure number.
tsv=$(printf '40000\t5\t8\t16\t2\t7\t1\t10\t9\t0\t4\t13\n1\t1\t1\t50000\t1\t1\t1\t50000\t1\t1\t1\t1\n\t\t\t\t-1\t\t\t\t\t\t\t\n' |
      "$predict" --tsv 2>&1)
expected=$'\t\t\t\t\t\t\t\t6\n5 8 9 10 11 12 14 16 17 18 20 21 \t\t\t\t\t\t\t\t6\n\t\t\t\t\t\t\t\t9'
if [[ $tsv == "$expected" ]]; then
  echo "ok   --tsv answers failing grids with their number only"; passed=$((passed + 1))
else
  echo "FAIL --tsv on failing grids: $tsv"; failures=$((failures + 1))
fi

out=$(printf '1\t2\t3\t6\t4\t5\t6\t15\t7\t8\t9\t24\nbad\n' | "$predict" --tsv 2>"$dir/err")
rc=$?
if [[ $rc -eq 2 && $out == "3 5 6 8 9 10 11 12 13 14 15 17 20 23 "$'\t'* ]] &&
   grep -q "standard input:2:1: expected 12 tab-separated fields, found 1" "$dir/err"; then
  echo "ok   --tsv reports the bad line after the good one"; passed=$((passed + 1))
else
  echo "FAIL --tsv: exit $rc, output: $out"; failures=$((failures + 1))
fi

# --record: the forecast of the record's newest three draws, the same as typing them, from the
# canonical file and from a copied form (tabs, dates, digits together, newest first).
printf '期号\t开奖日期\t开奖号码\n2026003\t2026-01-03(六)\t358\n2026002\t2026-01-02(五)\t271\n2026001\t2026-01-01(四)\t904\n' > "$dir/copied.tsv"
printf 'period,d1,d2,d3,sum\n2026001,9,0,4,13\n2026002,2,7,1,10\n2026003,3,5,8,16\n' > "$dir/canonical.csv"
typed=$("$predict" --json 3 5 8 16 2 7 1 10 9 0 4 13)
if [[ $("$predict" --json --record "$dir/copied.tsv") == "$typed" &&
      $("$predict" --json --record - < "$dir/canonical.csv") == "$typed" ]]; then
  echo "ok   --record forecasts the record's newest three as typed"; passed=$((passed + 1))
else
  echo "FAIL --record differs from the typed grid"; failures=$((failures + 1))
fi
if [[ -n $record ]] && diff <("$predict" --record "$record") \
     <("$predict" $(tail -3 "$record" | tac | cut -d, -f2-5 | tr , ' ')) > /dev/null; then
  echo "ok   --record on the shipped record"; passed=$((passed + 1))
else
  echo "FAIL --record on the shipped record"; failures=$((failures + 1))
fi
printf '2026001,1,2,3\n2026002,1,2,3\n2026005,1,1,1\n' > "$dir/gap.csv"
check "--record refuses a record that ends after a gap" 1 \
  "gap.csv: the forecast needs the record's newest three draws in a row, and it ends with 1 after the gap before period 2026005" \
  --record "$dir/gap.csv"
check "--record names a missing file" 1 "cannot read $dir/none.csv: No such file" --record "$dir/none.csv"
check "--record takes no cells" 2 "takes no cells" --record "$dir/gap.csv" 1 2 3

echo "$passed passed, $failures failed"
exit $(( failures > 0 ))
