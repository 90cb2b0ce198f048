#!/usr/bin/env bash
# Runs quorvel-backtest as a user would: bad histories fail with a located message and no report.
set -u
backtest=$1
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
passed=0
failed=0

expect_error() {  # expect_error NAME CSV MESSAGE
  printf '%b' "$2" > "$dir/h.csv"
  local out rc
  out=$("$backtest" "$dir/h.csv" 2>"$dir/err")
  rc=$?
  if [[ $rc -ne 0 && -z $out ]] && grep -qF -- "$3" "$dir/err"; then
    passed=$((passed + 1)); echo "ok   $1"
  else
    failed=$((failed + 1)); echo "FAIL $1: exit $rc, stdout '$out', stderr '$(cat "$dir/err")'"
  fi
}

expect_error "a digit out of range" '1,1,2,3\n2,1,2,3\n3,1,2,3\n4,1,10,3\n' "h.csv:4:5: d2 is not a digit"
expect_error "a wrong sum" '1,1,2,3,6\n2,1,2,3,5\n' "h.csv:2:9: the sum is not 6"
expect_error "a repeated period" '1,1,2,3\n1,1,2,3\n' "h.csv:2:1: period 1 does not follow period 1"
expect_error "too few draws" '1,1,2,3\n' "need at least four draws"

printf '1,9,0,4\n2,2,7,1\n3,3,5,8\n4,1,2,9\n5,0,0,0\n' > "$dir/good.csv"
if "$backtest" "$dir/good.csv" --csv "$dir/rows.csv" --chart "$dir/chart.svg" > "$dir/table" &&
   grep -q "replayed passes: 2" "$dir/table" && [[ $(wc -l < "$dir/rows.csv") -eq 3 ]] &&
   grep -q "^4,12," "$dir/rows.csv" && grep -q "</svg>" "$dir/chart.svg" &&
   "$backtest" --simulate 50 --seed 3 --json | grep -q '"replays":47'; then
  passed=$((passed + 1)); echo "ok   a good history gives the table, the rows, the chart and JSON"
else
  failed=$((failed + 1)); echo "FAIL the good history"
fi
echo "$passed passed, $failed failed"
exit $((failed > 0))
