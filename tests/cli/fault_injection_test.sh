#!/usr/bin/env bash
# Runs the three programs as an unlucky user would: outputs that name the input or each other,
# full and closed standard streams, interrupted runs, hostile input, a missing display. Checks the
# exit status, the message, and that no file the user owns was harmed.
set -u
predict=$1
backtest=$2
window=$3
record=$4
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
passed=0
failed=0

ok() { passed=$((passed + 1)); echo "ok   $1"; }
bad() { failed=$((failed + 1)); echo "FAIL $1"; }

# expect NAME STATUS MESSAGE COMMAND...: the command exits STATUS with MESSAGE on standard error.
expect() {
  local name=$1 status=$2 message=$3
  shift 3
  "$@" > "$dir/out" 2> "$dir/err"
  local rc=$?
  if [[ $rc -eq $status ]] && grep -qF -- "$message" "$dir/err"; then ok "$name"
  else bad "$name: exit $rc, stderr '$(head -c 300 "$dir/err")'"; fi
}
# unharmed NAME FILE COPY: FILE is byte for byte COPY and nothing else lies beside it.
unharmed() {
  if cmp -s "$2" "$3" && [[ $(ls -A "$(dirname "$2")" | grep -c '^\.') -eq 0 ]]; then ok "$1"
  else bad "$1: $(ls -A "$(dirname "$2")")"; fi
}

mkdir "$dir/work" "$dir/keep"
cp "$record" "$dir/work/draws.csv"
cp "$record" "$dir/keep/draws.csv"
printf 'period,d1,d2,d3\n1,1,2,3\n2,1,2,3\n3,1,2,3\n4,1,2,3\n5,1,2,3\n' > "$dir/keep/old.csv"
cp "$dir/keep/old.csv" "$dir/work/old.csv"
printf '1,1,2,3\n2,1,x,3\n' > "$dir/bad.csv"
cd "$dir/work" || exit 1

# Outputs are written whole or not at all, and never over the history.
expect "--csv naming the history is a usage error" 2 "--csv draws.csv is the same file as the history" \
  "$backtest" --shuffles 0 --csv draws.csv draws.csv
unharmed "... and the history is unharmed" draws.csv ../keep/draws.csv
expect "... also spelled another way" 2 "is the same file as the history" \
  "$backtest" --shuffles 0 --chart ../work/./draws.csv draws.csv
expect "a damaged history fails" 1 "bad.csv:2:5: d2 is not a digit" "$backtest" --csv old.csv ../bad.csv
unharmed "... and leaves last week's rows as they were" old.csv ../keep/old.csv
expect "--csv and --chart on one new file is a usage error" 2 "--chart same.out is the same file as --csv" \
  "$backtest" --shuffles 0 --csv same.out --chart same.out draws.csv
[[ ! -e same.out ]] && ok "... and the file was not made" || bad "same.out was made"
"$backtest" --simulate 100000000 --csv old.csv > /dev/null 2>&1 &
sleep 1; kill -INT $!; wait $!
rc=$?
[[ $rc -eq 130 ]] && ok "Ctrl-C ends a long run with the signal's status" || bad "Ctrl-C: exit $rc"
unharmed "... leaving the old rows and no temporary file" old.csv ../keep/old.csv
"$backtest" --simulate 100000000 --csv old.csv --chart new.svg > /dev/null 2>&1 &
sleep 1; kill -TERM $!; wait $!
unharmed "SIGTERM leaves both outputs as they were" old.csv ../keep/old.csv
[[ ! -e new.svg ]] && ok "... and makes no chart" || bad "a chart was left"
if "$backtest" draws.csv --shuffles 5 --csv rows.csv --chart rows.svg > /dev/null &&
   [[ $(wc -l < rows.csv) -eq $(( $(grep -c . draws.csv) - 4 + 1 )) ]] && grep -q '</svg>' rows.svg &&
   [[ $(stat -c %a rows.csv) == $(umask -S >/dev/null; printf '%o' $(( 0666 & ~$(umask) ))) ]]; then
  ok "a run that succeeds puts every output in place with the usual permissions"
else bad "a successful run: $(ls -l)"; fi
rm -f rows.csv rows.svg

# A failed write is a failure.
expect "quorvel-predict to a full disk" 1 "cannot write standard output: No space left on device" \
  sh -c '"$0" 3 5 8 16 2 7 1 10 9 0 4 13 > /dev/full' "$predict"
expect "quorvel-predict --help to a full disk" 1 "No space left on device" sh -c '"$0" --help > /dev/full' "$predict"
expect "quorvel-predict --version to a closed output" 1 "Bad file descriptor" sh -c '"$0" --version >&-' "$predict"
expect "quorvel-backtest's table to a full disk" 1 "No space left on device" \
  sh -c '"$0" --simulate 50 > /dev/full' "$backtest"
expect "quorvel-backtest --json to a closed output" 1 "Bad file descriptor" \
  sh -c '"$0" --simulate 50 --json >&-' "$backtest"
expect "quorvel-backtest --help to a full disk" 1 "No space left on device" sh -c '"$0" --help > /dev/full' "$backtest"
expect "quorvel --version to a full disk" 1 "No space left on device" sh -c '"$0" --version > /dev/full' "$window"
expect "quorvel-backtest with stdout full puts no output in place" 1 "No space left" \
  sh -c '"$0" draws.csv --shuffles 0 --csv old.csv > /dev/full' "$backtest"
unharmed "... so the old rows stay" old.csv ../keep/old.csv
"$predict" 1 2 3 6 4 5 6 15 7 8 9 24 2>&- > /dev/null; rc=$?
[[ $rc -eq 0 ]] && ok "a closed standard error is no failure when nothing is written to it" || bad "closed stderr: $rc"

# Bounded input, and a byte-order mark.
if timeout 20 sh -c 'yes 1 | tr -d "\n" | "$0" --tsv' "$predict" > /dev/null 2> "$dir/err"; then
  bad "an endless line was accepted"
elif grep -qF "standard input:1:1048577: the line is longer than 1048576 bytes" "$dir/err"; then
  ok "an endless line is refused at the limit"
else bad "an endless line: $(head -c 200 "$dir/err")"; fi
grid=$'3\t5\t8\t16\t2\t7\t1\t10\t9\t0\t4\t13'
plain=$(printf '%s\n' "$grid" | "$predict" --tsv)
if [[ $plain == *$'\t0' && $(printf '\xEF\xBB\xBF%s\n' "$grid" | "$predict" --tsv) == "$plain" ]]; then
  ok "a byte-order mark at the start of a TSV stream is skipped"
else bad "the byte-order mark changed the answer"; fi
{ echo "1,1,2,3"; head -c 2000000 /dev/zero | tr '\0' ' '; echo; } > long.csv
expect "a history line past the limit" 1 "long.csv:2:1048577: the line is longer than 1048576 bytes" "$backtest" long.csv

# Messages that say what is true.
expect "standard input that is a folder" 1 "cannot read standard input: Is a directory" \
  sh -c '"$0" - < /' "$backtest"
expect "standard input that is closed" 1 "cannot read standard input: Bad file descriptor" \
  sh -c '"$0" - <&-' "$backtest"
head -c 4096 /dev/urandom > random.bin
expect "random bytes are not text" 1 "this is not a text file" "$backtest" random.bin
expect "an unknown option is named and suggested" 2 "unknown option --sed (did you mean --seed?)" \
  "$backtest" --sed 5 draws.csv
grep -q "draws.csv" "$dir/err" && bad "... and the history was blamed" || ok "... and nothing else is blamed"
expect "... also beside --simulate" 2 "unknown option --sed (did you mean --seed?)" \
  "$backtest" --simulate 100 --sed 3
printf '99999999999999999999999,1,2,3\n' > big.csv
expect "a period out of range says so" 1 "big.csv:1:1: the period is too large" "$backtest" big.csv
long=$(head -c 131000 /dev/zero | tr '\0' '7')
expect "a 131,000-digit cell is quoted short" 1 '…" (131000 characters) in the latest digits' \
  "$predict" "$long" 5 8 16 2 7 1 10 9 0 4 13
[[ $(wc -c < "$dir/err") -lt 300 ]] && ok "... in one short line" || bad "the message is $(wc -c < "$dir/err") bytes"

# The window's command line.
expect "quorvel --frobnicate is a usage error" 2 "Unknown option 'frobnicate'" "$window" --frobnicate
expect "quorvel without a reachable display" 1 "quorvel: cannot open the window: no display" \
  env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM DISPLAY=:97 "$window"
[[ $(wc -l < "$dir/err") -eq 1 ]] && ok "... in one line" || bad "the display message: $(cat "$dir/err")"
"$window" --help | grep -q "^Usage: quorvel \[options\]" && ok "quorvel --help names the program" ||
  bad "quorvel --help: $("$window" --help | head -1)"

echo "$passed passed, $failed failed"
exit $((failed > 0))
