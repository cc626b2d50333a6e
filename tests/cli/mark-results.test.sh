#!/usr/bin/env bash
# klaviro-cli mark and results: marking against a control-text file and a
# training text, storing marks, the fourth copy refused, rankings as JSON.
. "$(dirname "$0")/lib.sh"

# A run of 100 and 110, restarted at 100: the last 100 block counts.
printf '100\r\n\r\nA B C D E   \r\n\r\n110\r\n\r\nF G H I J   K L M N O   \r\n\r\n100\r\n\r\nP Q R S T   \r\n\r\n' >"$tmp/Letters.txt"

out=$(printf 'pqrst' | "$cli" mark --control "$tmp/Letters.txt" --speed 100 --json -)
[ "$out" = '{"errors": 0, "accepted": true, "limit": 5, "characters": 5}' ] || fail "json: $out"
out=$(printf 'fghj\nklmnoxy' | "$cli" mark --control "$tmp/Letters.txt" --speed 110 --limit 2 -)
printf '%s\n' "$out" | grep -qx 'text  FGHIJKLMNO--' || fail "aligned text row: $out"
printf '%s\n' "$out" | grep -qx 'copy  FGH-JKLMNOXY' || fail "aligned copy row: $out"
printf '%s\n' "$out" | grep -qx '         m      ++' || fail "marks row: $out"
printf '%s\n' "$out" | grep -qx '3 errors in 10 characters, limit 2: not accepted' || fail "summary: $out"

# A training text is the text command's text.
"$cli" text --kind figures --number 42 --groups 3 >"$tmp/copy.txt"
out=$("$cli" mark --kind figures --number 42 --groups 3 --json "$tmp/copy.txt")
[ "$out" = '{"errors": 0, "accepted": true, "limit": 5, "characters": 15}' ] || fail "training: $out"

# Bad input: exit 2 and a message.
expect_2() { # message-part args...
    local want=$1 code=0
    shift
    "$cli" mark "$@" 2>"$tmp/err" >/dev/null || code=$?
    [ "$code" -eq 2 ] || fail "exit $code for $*"
    grep -q "$want" "$tmp/err" || fail "message for $*: $(cat "$tmp/err")"
}
expect_2 'no text at speed 120' --control "$tmp/Letters.txt" --speed 120 "$tmp/copy.txt"
expect_2 'not a control-text file' --control "$tmp/copy.txt" --speed 100 "$tmp/copy.txt"
expect_2 'cannot read' --control "$tmp/Letters.txt" --speed 100 "$tmp/none.txt"
expect_2 'go together' --control "$tmp/Letters.txt" --speed 100 --participant A "$tmp/copy.txt"

# Stored marks; the discipline comes from the file name.
r="$tmp/Results.csv"
mark() { printf '%s' "$3" | "$cli" mark --control "$tmp/Letters.txt" --speed "$2" --participant "$1" --results "$r" - >/dev/null; }
mark 'Ewa Łącka' 100 pqrst
mark Boris 100 pqrsx
mark Boris 110 fghijklmno
mark 'Ewa Łącka' 110 fghijklmnoxxxxxx
[ "$(head -c 3 "$r" | od -An -tx1 | tr -d ' ')" = efbbbf ] || fail "no byte order mark"
grep -q $'^Ewa Łącka;letters;110;6;fghijklmnoxxxxxx;' "$r" || fail "row: $(cat "$r")"

out=$("$cli" results --json "$r")
want='{"disciplines": {"letters": [{"rank": 1, "participant": "Boris", "speed": 110, "errors": 0, "result": 110}, {"rank": 2, "participant": "Ewa Łącka", "speed": 100, "errors": 0, "result": 100}], "figures": [], "mixed": []}, "overall": [{"rank": 1, "participant": "Boris", "points": 100}, {"rank": 2, "participant": "Ewa Łącka", "points": 90.91}]}'
[ "$out" = "$want" ] || fail "results: $out"

# A fourth speed is refused and changes nothing; a correction replaces.
printf '100\r\n\r\nA\r\n\r\n120\r\n\r\nB\r\n\r\n130\r\n\r\nC\r\n\r\n' >"$tmp/Digits.txt"
"$cli" mark --control "$tmp/Digits.txt" --speed 100 --participant Boris --results "$r" "$tmp/copy.txt" >/dev/null
"$cli" mark --control "$tmp/Digits.txt" --speed 120 --participant Boris --results "$r" "$tmp/copy.txt" >/dev/null
"$cli" mark --control "$tmp/Digits.txt" --speed 130 --participant Boris --results "$r" "$tmp/copy.txt" >/dev/null
cp "$r" "$tmp/before.csv"
printf '100\r\n\r\nA\r\n\r\n140\r\n\r\nD\r\n\r\n' >"$tmp/Digits2.txt"
expect_2 'already has 3 copies' --control "$tmp/Digits2.txt" --kind figures --speed 140 --participant Boris --results "$r" "$tmp/copy.txt"
cmp -s "$r" "$tmp/before.csv" || fail "a refused copy changed the file"
printf 'a' | "$cli" mark --control "$tmp/Digits.txt" --speed 100 --participant Boris --results "$r" - >/dev/null
[ "$(grep -c '^Boris;figures;100;' "$r")" -eq 1 ] || fail "correction did not replace: $(cat "$r")"

# --max-copies N takes N speeds and refuses the next; without it, 3. A
# name given in code page 1251 is stored as UTF-8.
printf '100\r\n\r\nA\r\n\r\n110\r\n\r\nA\r\n\r\n120\r\n\r\nA\r\n\r\n130\r\n\r\nA\r\n\r\n140\r\n\r\nA\r\n\r\n' >"$tmp/Mixed.txt"
for row in "1|1" "2|2" "4|4" "|3"; do
    IFS='|' read -r max taken <<<"$row"
    rm -f "$tmp/m.csv"
    k=0
    for speed in 100 110 120 130 140; do
        k=$((k + 1))
        code=0
        printf 'a' | "$cli" mark --control "$tmp/Mixed.txt" --speed $speed --participant $'\xc8\xe2\xe0\xed' \
            --results "$tmp/m.csv" ${max:+--max-copies $max} - >/dev/null 2>"$tmp/err" || code=$?
        if [ $k -le "$taken" ]; then
            [ $code -eq 0 ] || fail "max ${max:-default}: copy $k refused: $(cat "$tmp/err")"
        else
            [ $code -eq 2 ] && grep -q "already has $taken copies" "$tmp/err" ||
                fail "max ${max:-default}: copy $k: exit $code $(cat "$tmp/err")"
        fi
    done
    [ "$(grep -c '^Иван;mixed;' "$tmp/m.csv")" -eq "$taken" ] || fail "max ${max:-default}: $(cat "$tmp/m.csv")"
done
expect_2 'between 1 and' --control "$tmp/Mixed.txt" --speed 100 --participant A --results "$tmp/m.csv" --max-copies 0 "$tmp/copy.txt"
expect_2 'whole number' --control "$tmp/Mixed.txt" --speed 100 --participant A --results "$tmp/m.csv" --max-copies x "$tmp/copy.txt"
expect_2 'with --participant and --results' --control "$tmp/Mixed.txt" --speed 100 --max-copies 4 "$tmp/copy.txt"
"$cli" mark --help | grep -q 'MaxCopies' || fail "mark --help does not name [Results] MaxCopies"

# HTML sheet with its tables; a foreign file is reported and left alone.
"$cli" results --html "$tmp/sheet.html" "$r"
for id in letters figures mixed overall; do grep -q "id=\"$id\"" "$tmp/sheet.html" || fail "no $id table"; done
printf 'Name,Score\n' >"$tmp/other.csv"
code=0
"$cli" results "$tmp/other.csv" 2>"$tmp/err" || code=$?
[ "$code" -eq 2 ] && grep -q 'not a results file' "$tmp/err" || fail "foreign file: $code $(cat "$tmp/err")"
expect_2 'not a results file' --control "$tmp/Letters.txt" --speed 100 --participant A --results "$tmp/other.csv" "$tmp/copy.txt"
[ "$(cat "$tmp/other.csv")" = 'Name,Score' ] || fail "foreign file changed"
