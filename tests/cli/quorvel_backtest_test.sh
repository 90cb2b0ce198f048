#!/usr/bin/env bash
# Runs quorvel-backtest as a user would: bad histories fail with a located message and no report.
set -u
backtest=$1
record=$2
version=$3
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

# The game names whose record it is and prices its bets: 排列三's key range of a record costs
# 2 yuan a straight number, and the JSON names the game.
pl3_json=$("$backtest" --game pl3 --simulate 50 --seed 3 --json)
if grep -q '^{"game":"pl3",' <<<"$pl3_json" && "$backtest" --simulate 50 --seed 3 --json | grep -q '^{"game":"3d",' &&
   [[ $(grep -o '"money":{"stake":[0-9]*' <<<"$pl3_json" | head -1 | grep -o '[0-9]*$') -gt 1000 ]] &&
   ! "$backtest" --game ssq --simulate 50 2>/dev/null; then
  passed=$((passed + 1)); echo "ok   --game chooses the game, its bets and its name in the JSON"
else
  failed=$((failed + 1)); echo "FAIL --game: $pl3_json"
fi

expect_error "a digit out of range" '1,1,2,3\n2,1,2,3\n3,1,2,3\n4,1,10,3\n' "h.csv:4:5: d2 is not a digit"
expect_error "a wrong sum" '1,1,2,3,6\n2,1,2,3,5\n' "h.csv:2:9: the sum is not 6"
expect_error "a period with two draws" '1,1,2,3\n1,1,2,4\n' "h.csv:2:1: period 1 is on line 1 already"
expect_error "too few draws" '1,1,2,3\n' "need at least four draws"

printf '1,9,0,4\n2,2,7,1\n3,3,5,8\n4,1,2,9\n5,0,0,0\n' > "$dir/good.csv"
if "$backtest" "$dir/good.csv" --shuffles 20 --csv "$dir/rows.csv" --chart "$dir/chart.svg" > "$dir/table" &&
   grep -q "over 2 replayed passes" "$dir/table" && [[ $(wc -l < "$dir/rows.csv") -eq 3 ]] &&
   grep -q "^4,12," "$dir/rows.csv" && grep -q "</svg>" "$dir/chart.svg" &&
   "$backtest" --simulate 50 --seed 3 --json | grep -q '"replays":47' &&
   "$backtest" --simulate 50 --seed 3 --json | grep -q '"money":{"stake":[0-9]*,"returned":[0-9]*,"expectedReturn":' &&
   grep -q "^money: " "$dir/table" && head -1 "$dir/rows.csv" | grep -q '"extreme numbers return"$' &&
   head -1 "$dir/table" | grep -q "^Too few draws or shuffles to tell" &&
   grep -q "too few to tell whether the forecast beats chance" "$dir/table"; then
  passed=$((passed + 1)); echo "ok   a good history gives the table, the rows, the chart and JSON"
else
  failed=$((failed + 1)); echo "FAIL the good history"
fi
expect_status() {  # expect_status NAME STATUS MESSAGE ARGS...
  local name=$1 status=$2 message=$3
  shift 3
  "$backtest" "$@" > "$dir/out" 2> "$dir/err"
  local rc=$?
  if [[ $rc -eq $status && ! -s $dir/out ]] && grep -qF -- "$message" "$dir/err"; then
    passed=$((passed + 1)); echo "ok   $name"
  else
    failed=$((failed + 1)); echo "FAIL $name: exit $rc, stderr '$(cat "$dir/err")'"
  fi
}
expect_status "too few simulated draws" 2 "--simulate: -5 is not a whole number of draws from 4 to 1000000000" --simulate -5
expect_status "a negative seed" 2 "--seed: -1 is not a whole number from 0 to 18446744073709551615" --simulate 10 --seed -1
expect_status "too many shuffles" 2 "--shuffles: 1000001 is not a whole number of shuffles from 0 to 1000000" "$dir/good.csv" --shuffles 1000001
expect_status "an unknown option is named" 2 "--simulat" --simulat 5
expect_status "a missing history" 1 "cannot read $dir/none.csv: No such file or directory" "$dir/none.csv"
expect_status "a directory" 1 "cannot read $dir: Is a directory" "$dir"
printf '\xff\xfe1\x00,\x001\x00' > "$dir/utf16.csv"
expect_status "a UTF-16 history" 1 "utf16.csv:1:1: this looks like UTF-16" "$dir/utf16.csv"
started=$(date +%s%N)
expect_status "an unwritable chart fails before the replay" 1 "cannot write $dir/no/chart.svg: No such file" \
  --simulate 100000000 --chart "$dir/no/chart.svg"
elapsed_ms=$(( ($(date +%s%N) - started) / 1000000 ))
# A hundred million draws take minutes to replay; two seconds leave room for a sanitizer's start
# on a loaded machine and still show the path was tried first.
if (( elapsed_ms < 2000 )); then passed=$((passed + 1)); echo "ok   ... and in $elapsed_ms ms";
else failed=$((failed + 1)); echo "FAIL the bad chart path took $elapsed_ms ms"; fi

# The record's own audit, in the table and the JSON, on a history and on simulated draws.
names='"name":"digits-1".*"name":"sums".*"name":"gaps".*"name":"runs-odd-even".*"name":"lag2-1".*"name":"lag3-3".*"name":"within-23".*"name":"triples".*"name":"halves-sums".*"name":"years-digits"'
if "$backtest" "$record" --audit --shuffles 0 --json | grep -qE "\"audit\":\{\"draws\":7680,\"tests\":\[.*$names.*\],\"random\":true\}" &&
   "$backtest" --simulate 5000 --audit | grep -q "^On these 5,000 draws none of the 23 tests rejects" &&
   "$backtest" --simulate 50 --audit | grep -q "^These 50 draws are too few for the audit to tell" &&
   "$backtest" --simulate 500 --json | grep -q '"detectableRate":0\.[0-9]*,"detectableReturnRate"' &&
   ! "$backtest" --simulate 500 --json | grep -q '"audit"'; then
  passed=$((passed + 1)); echo "ok   --audit tests the record itself, in the table and the JSON"
else
  failed=$((failed + 1)); echo "FAIL --audit"
fi

# Standard input in, rows to standard output, and the same JSON whatever the number of threads.
if "$backtest" - --csv - --shuffles 0 < "$dir/good.csv" 2> "$dir/report" | grep -q "^4,12," &&
   grep -q "over 2 replayed passes" "$dir/report"; then
  passed=$((passed + 1)); echo "ok   - reads standard input and --csv - writes standard output"
else
  failed=$((failed + 1)); echo "FAIL standard input and output"
fi
"$backtest" "$record" --shuffles 40 --seed 7 --threads 1 --json > "$dir/one.json"
"$backtest" "$record" --shuffles 40 --seed 7 --threads 2 --json > "$dir/two.json"
if cmp -s "$dir/one.json" "$dir/two.json" && grep -q '"shuffles":[0-9]*,"seed":7' "$dir/one.json"; then
  passed=$((passed + 1)); echo "ok   a seed gives the same JSON on one thread and on two"
else
  failed=$((failed + 1)); echo "FAIL the JSON depends on the threads"
fi

# The report follows the locale: Chinese for a locale that begins with zh, English otherwise.
if LC_ALL= LC_MESSAGES= LANG=zh_CN.UTF-8 "$backtest" "$record" --shuffles 1 | head -1 | grep -q "看不出来" &&
   LC_ALL=zh_TW.UTF-8 "$backtest" "$dir/good.csv" --shuffles 0 | grep -q "没有做置换检验" &&
   LC_ALL=C LANG=zh_CN.UTF-8 "$backtest" "$dir/good.csv" --shuffles 0 | grep -q "No permutation test" &&
   LC_ALL=zh_CN.UTF-8 "$backtest" "$dir/none.csv" 2>&1 | grep -q "cannot read"; then
  passed=$((passed + 1)); echo "ok   the report follows the locale"
else
  failed=$((failed + 1)); echo "FAIL the report's language"
fi

# Every form players copy their draws in reads to the same report as the canonical file: the
# record's last twelve draws, written eight ways.
tail -12 "$record" > "$dir/last"
{ echo "period,d1,d2,d3,sum"; cat "$dir/last"; } > "$dir/canonical.csv"
awk -F, '{print $1" "$2" "$3" "$4}' "$dir/last" > "$dir/spaces.txt"
awk -F, '{print $1" 2026-06-19 "$2" "$3" "$4}' "$dir/last" > "$dir/dated.txt"
{ echo "期号,开奖日期,开奖号码"; awk -F, '{print $1",2026-06-19,\""$2","$3","$4"\""}' "$dir/last"; } > "$dir/quoted.csv"
awk -F, '{print $1",2026-06-19(五),"$2" "$3" "$4}' "$dir/last" > "$dir/weekday.csv"
{ echo "期号,开奖号码,试机号"; awk -F, '{print $1","$2$3$4",123"}' "$dir/last"; } > "$dir/trial.csv"
{ echo "期号,试机号,开奖号码"; awk -F, '{print $1",123,"$2$3$4}' "$dir/last"; } > "$dir/trial-first.csv"
{ echo "period,number"; tac "$dir/last" | awk -F, '{print $1","$2$3$4}'; } > "$dir/newest.csv"
{ cat "$dir/canonical.csv"; tail -3 "$dir/last"; } | tr '\n' '\r' > "$dir/merged-cr.csv"
same=0
"$backtest" "$dir/canonical.csv" --shuffles 30 --json | sed 's/"newestFirst":true,//; s/"repeatedLines":[0-9]*/R/' > "$dir/want"
for form in spaces.txt dated.txt quoted.csv weekday.csv trial.csv trial-first.csv newest.csv merged-cr.csv; do
  "$backtest" "$dir/$form" --shuffles 30 --json | sed 's/"newestFirst":true,//; s/"repeatedLines":[0-9]*/R/' |
    cmp -s - "$dir/want" && same=$((same + 1)) || echo "  $form reads otherwise"
done
if [[ $same -eq 8 ]] && "$backtest" "$dir/merged-cr.csv" --shuffles 0 --json | grep -q '"repeatedLines":3'; then
  passed=$((passed + 1)); echo "ok   every copied form reads as the canonical file"
else
  failed=$((failed + 1)); echo "FAIL copied forms: $same of 8 read as the canonical file"
fi

# A record that runs past the verdict's record gets the test on later draws, in the JSON and the
# table; the shipped record does not.
{ cat "$record"; printf '2026174,1,2,3\n2026175,4,5,6\n'; } > "$dir/later.csv"
if "$backtest" "$dir/later.csv" --shuffles 0 --json |
     grep -q '"prospective":{"since":2026173,"draws":2,"eValue":[0-9.e+-]*,"outputs":\[{"name":"predicted range","calls":2,' &&
   "$backtest" "$dir/later.csv" --shuffles 0 | grep -q "^the 2 draws since period 2026173" &&
   ! "$backtest" "$record" --shuffles 0 --json | grep -q prospective; then
  passed=$((passed + 1)); echo "ok   the draws after the verdict's record are scored apart"
else
  failed=$((failed + 1)); echo "FAIL the test on later draws"
fi

# A record of draws alone is replayed in its order and says it has no periods; five-digit periods
# have their gaps found and named as the record wrote them.
for t in $(seq 1 60); do printf '%03d\n' $(((t * 37 + 11) % 1000)); done > "$dir/alone.txt"
printf '26196,1,2,3\n26197,4,5,6\n26199,7,8,9\n26206,0,1,2\n26207,3,4,5\n26208,1,1,1\n26209,2,2,2\n' > "$dir/five.csv"
if "$backtest" "$dir/alone.txt" --shuffles 0 --json | grep -q '"periods":false,"gaps":\[\]' &&
   "$backtest" "$dir/alone.txt" --shuffles 0 | grep -q "The record gives no periods" &&
   "$backtest" "$dir/five.csv" --shuffles 0 --json |
     grep -q '"gaps":\[{"after":26197,"before":26199,"missing":1},{"after":26199,"before":26206,"missing":6}\]'; then
  passed=$((passed + 1)); echo "ok   a record without periods, and five-digit periods' gaps"
else
  failed=$((failed + 1)); echo "FAIL draws alone or five-digit periods"
fi

# Without a history the game's shipped record is read; --with-game tests it together with the
# other game's, --with with a file of it, each named in the JSON beside the test on both.
head -30 "$record" > "$dir/short3d.csv"
if "$backtest" --shuffles 0 --json | grep -q '^{"game":"3d","shuffles":0,"seed":[0-9]*,"replays":7677,' &&
   "$backtest" --game pl3 --shuffles 0 --json | grep -q '^{"game":"pl3","shuffles":0,"seed":[0-9]*,"replays":7669,' &&
   "$backtest" --with-game pl3 --shuffles 40 --json > "$dir/together.json" &&
   grep -q ',"together":{"with":{"game":"pl3","draws":7672,"shuffles":[0-9]*,"family":{"method":"westfall-young-step-down-maxt",.*},"shuffles":[0-9]*,"family":{"method":' "$dir/together.json" &&
   "$backtest" --game pl3 --with "$dir/short3d.csv" --shuffles 40 > "$dir/together.txt" &&
   grep -q "^the two records together:$" "$dir/together.txt" &&
   grep -q "^The Welfare Lottery 3D's record alone: " "$dir/together.txt" &&
   grep -q "^Both records together (the Sports Lottery Pick 3's 7,672 draws and the Welfare Lottery 3D's 29 draws), each shuffled" "$dir/together.txt" &&
   ! "$backtest" --shuffles 0 --json | grep -q '"together"'; then
  passed=$((passed + 1)); echo "ok   the shipped record by default, and two records tested together"
else
  failed=$((failed + 1)); echo "FAIL the shipped record or --with: $(head -c 300 "$dir/together.txt")"
fi
printf '1,1,2,3\n2,1,2,3\n3,1,2,3\n4,1,10,3\n' > "$dir/bad-with.csv"
expect_status "a bad --with record is named as itself" 1 "bad-with.csv:4:5: d2 is not a digit" "$dir/good.csv" --with "$dir/bad-with.csv"
expect_status "--with takes no simulated draws" 2 "excludes" --simulate 50 --with-game pl3
expect_status "--with and the history may not be one file" 2 "is the same file as" "$dir/good.csv" --with "$dir/good.csv"

# The trend chart: four views of the newest periods, 30 unless asked, in the table and the JSON,
# the drawn value marked in text, and the words that a gap changes no draw's chance; then the
# strategies it suggests, replayed and tested as a family of their own.
"$backtest" "$record" --shuffles 0 --trend > "$dir/trend.txt"
"$backtest" "$record" --shuffles 40 --trend 50 --json > "$dir/trend.json"
if [[ $(grep -c "^the .*, the last 30 periods" "$dir/trend.txt") -eq 4 ]] &&
   grep -qE "^2026173 .*\[20\]" "$dir/trend.txt" &&
   [[ $(grep -c "the next draw's chance of each value is still its chance" "$dir/trend.txt") -eq 4 ]] &&
   grep -q '"trend":{"periods":50,"views":\[{"name":"sum","rows":\[{"period":2026124,' "$dir/trend.json" &&
   grep -q '{"name":"third digit","rows":' "$dir/trend.json" &&
   grep -q '"strategies":{"family":{"method":"westfall-young-step-down-maxt","level":0.05,"monteCarloErrors":3,"shuffles":[0-9]*},"tests":\[{"name":"overdue sum","calls":7679,' "$dir/trend.json" &&
   grep -q '{"name":"overdue third digit","calls":7679,"hits":[0-9]*,"chance":767.900,"stake":0,' "$dir/trend.json" &&
   grep -q "^The strategies were not tested against shuffles" "$dir/trend.txt" &&
   grep -qE "^chase the hot sum +7650 " "$dir/trend.txt" &&
   LC_ALL=zh_CN.UTF-8 "$backtest" "$record" --shuffles 0 --trend 100 | grep -q "^和值，最近 100 期" &&
   ! "$backtest" "$record" --shuffles 0 --json | grep -q '"trend"'; then
  passed=$((passed + 1)); echo "ok   --trend draws the chart in the table and the JSON"
else
  failed=$((failed + 1)); echo "FAIL --trend: $(head -3 "$dir/trend.txt")"
fi
expect_status "--trend takes no simulated draws" 2 "excludes" --simulate 50 --trend

# A claim still on the line when the run has added all the shuffles it may is undecided: in the
# headline, the verdict, the claims' table and the JSON, never "no evidence" or "more would tell".
"$backtest" --simulate 1000 --seed 1 --shuffles 20 > "$dir/undecided"
"$backtest" --simulate 1000 --seed 1 --shuffles 20 --json > "$dir/undecided.json"
if head -1 "$dir/undecided" | grep -q "^Undecided: a claim is still on the 5% line" &&
   grep -q "Undecided after 320 shuffles, the most this run adds" "$dir/undecided" &&
   grep -qE "^big/small's hits .* undecided$" "$dir/undecided" &&
   ! grep -qiE "no evidence that|more shuffles would tell|with more shuffles to come" "$dir/undecided" &&
   grep -q '"undecided":\[{"output":"big/small","kind":"hits"}\]' "$dir/undecided.json" &&
   grep -q '"kind":"hits","pValue":[0-9.]*,"pValueAdjusted":[0-9.]*,"monteCarloError":[0-9.]*,"standing":"undecided"' "$dir/undecided.json" &&
   LC_ALL=zh_CN.UTF-8 "$backtest" --simulate 1000 --seed 1 --shuffles 20 | head -1 | grep -q "^未定"; then
  passed=$((passed + 1)); echo "ok   a claim left on the line is undecided"
else
  failed=$((failed + 1)); echo "FAIL the undecided claim: $(head -5 "$dir/undecided")"
fi

# The shipped record's report states no null as a fact, in either language: nothing is said to be
# no more than chance but as "no evidence", and nothing claims to know there is nothing there.
"$backtest" "$record" > "$dir/english"
LC_ALL=zh_CN.UTF-8 "$backtest" "$record" > "$dir/chinese"
if head -1 "$dir/english" | grep -qx "No evidence that it works." &&
   head -1 "$dir/chinese" | grep -qx "没有证据表明它灵。" &&
   grep -q "没有证据表明哪项输出的命中比运气多" "$dir/chinese" &&
   ! grep -qE "不比运气多|不比打乱" "$dir/chinese" &&
   ! grep -qiE "nothing is there|no output hits more often|did not pay" "$dir/english"; then
  passed=$((passed + 1)); echo "ok   the shipped record's verdict says no evidence, in both languages"
else
  failed=$((failed + 1)); echo "FAIL the shipped record's words: $(head -3 "$dir/english"; head -3 "$dir/chinese")"
fi

if [[ $("$backtest" --version) == "quorvel-backtest $version" ]]; then
  passed=$((passed + 1)); echo "ok   --version prints the project's version"
else
  failed=$((failed + 1)); echo "FAIL --version: $("$backtest" --version)"
fi

echo "$passed passed, $failed failed"
exit $((failed > 0))
