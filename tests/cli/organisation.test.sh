#!/usr/bin/env bash
# klaviro-cli roster, draw, mark --folder and results --competition: a
# competition kept from the command line, from the roster to the sheet.
. "$(dirname "$0")/lib.sh"
c="$tmp/Competition.csv"

# A roster in code page 1251 with commas: Ivanov, Petrova, and a line without a name.
printf '\xd4\xc8\xce,\xcf\xee\xeb,\xc3\xee\xe4\r\n\xc8\xe2\xe0\xed\xee\xe2 \xc8\xe2\xe0\xed,\xcc,2010\r\n\xcf\xe5\xf2\xf0\xee\xe2\xe0 \xc0\xed\xed\xe0,\xc6,1970\r\n,\xcc,1990\r\n' >"$tmp/roster.csv"
"$cli" roster "$c" --import "$tmp/roster.csv" --title 'Cup <1>' --first-day 2026-03-12 >/dev/null 2>"$tmp/err"
grep -q 'roster.csv:4: no name' "$tmp/err" || fail "import report: $(cat "$tmp/err")"
grep -q '2 added, 0 updated, 1 lines not taken' "$tmp/err" || fail "import summary: $(cat "$tmp/err")"
out=$("$cli" roster --json "$c")
case "$out" in *'"name": "Иванов Иван", "sex": "M", "birthYear": 2010'*'"category": "Юноши"'*) ;; *) fail "roster: $out" ;; esac

# The draw: the same seed twice gives the same numbers; the seed is kept.
"$cli" draw "$c" --seed 77 >"$tmp/first"
"$cli" draw "$c" --seed 77 >"$tmp/second"
cmp -s "$tmp/first" "$tmp/second" || fail "the same seed drew differently"
head -1 "$tmp/first" | grep -qx 'drawn with seed 77' || fail "draw: $(cat "$tmp/first")"
"$cli" roster --json "$c" | grep -q '"drawn": true, "seed": 77' || fail "seed not kept"
"$cli" draw "$c" --seed 77 --groups 2 --order category --html "$tmp/start.html" 2>/dev/null
grep -c '<section class="category">' "$tmp/start.html" | grep -qx 2 || fail "start list sections"
number=$("$cli" roster --json "$c" | sed 's/.*"number": \([0-9]*\), "name": "Иванов Иван".*/\1/')

# A folder of copies: one marked, one with a bad name, one of nobody.
mkdir "$tmp/control" "$tmp/copies"
printf '200\r\n\r\nABCDE FGHIJ\r\n\r\n' >"$tmp/control/Letters_1.txt"
printf 'abcde fghiz' >"$tmp/copies/${number}_L_200.txt"
printf 'x' >"$tmp/copies/copy.txt"
printf 'x' >"$tmp/copies/9_L_200.txt"
code=0
"$cli" mark --folder "$tmp/copies" --control-folder "$tmp/control" --competition "$c" --results "$tmp/R.csv" >"$tmp/out" || code=$?
[ "$code" -eq 1 ] || fail "exit $code with files not understood"
grep -qx "${number}_L_200.txt: marked (Иванов Иван, 1 errors, accepted)" "$tmp/out" || fail "report: $(cat "$tmp/out")"
grep -q '^9_L_200.txt: not understood: no start number 9' "$tmp/out" || fail "report: $(cat "$tmp/out")"
grep -q '^Иванов Иван;letters;200;1;' "$tmp/R.csv" || fail "results: $(cat "$tmp/R.csv")"

# The results of one category; an unknown one is refused.
out=$("$cli" results "$tmp/R.csv" --competition "$c" --category 'Юноши' --json)
case "$out" in *'"speed": 200, "errors": 1, "result": 199'*) ;; *) fail "category results: $out" ;; esac
"$cli" results "$tmp/R.csv" --competition "$c" --html "$tmp/sheet.html"
grep -q '<h1>Cup &lt;1&gt;</h1>' "$tmp/sheet.html" || fail "sheet title"
grep -q '12.03.2026' "$tmp/sheet.html" || fail "sheet date"

expect_2() { # message-part args...
    local want=$1 code=0
    shift
    "$cli" "$@" >/dev/null 2>"$tmp/err" || code=$?
    [ "$code" -eq 2 ] || fail "exit $code for $*"
    grep -q "$want" "$tmp/err" || fail "message for $*: $(cat "$tmp/err")"
}
expect_2 'no category "Elite"' results "$tmp/R.csv" --competition "$c" --category Elite
expect_2 'needs --competition' results "$tmp/R.csv" --category Elite
expect_2 'no such file' draw "$tmp/none.csv" --seed 1
expect_2 'first-day must be a date' roster "$c" --first-day 2026-13-01
# A file that is not a competition file is refused and never overwritten.
printf 'participant;discipline\r\n' >"$tmp/bad.csv"
expect_2 'not a competition file' draw "$tmp/bad.csv" --seed 1
expect_2 'not a competition file' roster "$tmp/bad.csv" --title X
[ "$(cat "$tmp/bad.csv")" = $'participant;discipline\r' ] || fail "a bad competition file was changed"
# A results file that is not one: nothing stored, exit 2.
printf 'x;y\r\n' >"$tmp/bad-results.csv"
expect_2 'nothing was stored' mark --folder "$tmp/copies" --control-folder "$tmp/control" --competition "$c" --results "$tmp/bad-results.csv"
echo "$test_name ok"
