#!/usr/bin/env bash
# klaviro-cli diary: the summary of a prepared diary worked out by hand, the
# HTML export through the safe output, and the diaries it cannot read.
. "$(dirname "$0")/lib.sh"

d="$tmp/Diary.csv"
printf '\xef\xbb\xbf' >"$d"
cat >>"$d" <<'EOF'
date;kind;series;number;groups;speed;tone;characters;errors;accepted;confusions;copy
2025-02-20 18:00:00;mixed;training;3;1;80;square;5;5;no;?>-:5;
2025-03-03 08:00:00;letters;training;9;2;150;square;10;0;yes;;ABCDE FGHIJ
2025-03-08 09:00:00;letters;training;1;2;100;square;10;1;yes;Q>Y:1;ABCDE FGHIY
2025-03-08 19:30:00;letters;training;2;2;120;sine;10;7;no;Q>Y:2 A>-:5;YYXYZ
2025-03-09 07:15:00;figures;training;3;1;90;square;5;1;yes;->5:1;123455
2025-03-10 12:00:00;letters;training;4;2;110;square;10;0;yes;;QQQQQ ABCDE
2025-03-11 08:00:00;letters;training;5;2;200;square;10;0;yes;;ABCDE FGHIJ
EOF

# The week up to the 10th: the 8th has 100 accepted, 120 not (3 of 10
# right, with 9 of 10 at 100: 12 of 20); A is missing 5 of 7 times, Q
# written as Y 3 of 8 times.
out=$("$cli" diary "$d" --days 7 --today 2025-03-10 --json)
want='{"checks": 4, "skipped": 0, "days": [{"date": "2025-03-08", "kind": "letters", "checks": 2, "best_accepted_speed": 100, "characters": 20, "right": 12, "share_right": 60.0}, {"date": "2025-03-09", "kind": "figures", "checks": 1, "best_accepted_speed": 90, "characters": 5, "right": 5, "share_right": 100.0}, {"date": "2025-03-10", "kind": "letters", "checks": 1, "best_accepted_speed": 110, "characters": 10, "right": 10, "share_right": 100.0}], "weakest": [{"character": "A", "checked": 7, "errors": 5, "error_rate": 71.4}, {"character": "Q", "checked": 8, "errors": 3, "error_rate": 37.5}]}'
[ "$out" = "$want" ] || fail "week: $out"

# Every day: the mixed text without an accepted copy, ? missed every time.
out=$("$cli" diary "$d" --json)
want='{"checks": 7, "skipped": 0, "days": [{"date": "2025-02-20", "kind": "mixed", "checks": 1, "best_accepted_speed": null, "characters": 5, "right": 0, "share_right": 0.0}, {"date": "2025-03-03", "kind": "letters", "checks": 1, "best_accepted_speed": 150, "characters": 10, "right": 10, "share_right": 100.0}, {"date": "2025-03-08", "kind": "letters", "checks": 2, "best_accepted_speed": 100, "characters": 20, "right": 12, "share_right": 60.0}, {"date": "2025-03-09", "kind": "figures", "checks": 1, "best_accepted_speed": 90, "characters": 5, "right": 5, "share_right": 100.0}, {"date": "2025-03-10", "kind": "letters", "checks": 1, "best_accepted_speed": 110, "characters": 10, "right": 10, "share_right": 100.0}, {"date": "2025-03-11", "kind": "letters", "checks": 1, "best_accepted_speed": 200, "characters": 10, "right": 10, "share_right": 100.0}], "weakest": [{"character": "?", "checked": 5, "errors": 5, "error_rate": 100.0}, {"character": "A", "checked": 9, "errors": 5, "error_rate": 55.6}, {"character": "Q", "checked": 8, "errors": 3, "error_rate": 37.5}]}'
[ "$out" = "$want" ] || fail "all days: $out"

# A row it cannot read is left out and said so; the rest still counts.
cp "$d" "$tmp/Damaged.csv"
printf '2025-03-10;callsigns;training;1;1;100;square;5;0\r\n' >>"$tmp/Damaged.csv"
out=$("$cli" diary "$tmp/Damaged.csv" --json 2>"$tmp/err")
case "$out" in '{"checks": 7, "skipped": 1, '*) ;; *) fail "damaged: $out" ;; esac
grep -q '1 rows of .* could not be read.*unknown kind "callsigns"' "$tmp/err" || fail "note: $(cat "$tmp/err")"

# The HTML export: never over an existing file without --force.
"$cli" diary "$d" --today 2025-03-10 --days 7 --html "$tmp/Diary.html"
[ "$(grep -c '<polyline' "$tmp/Diary.html")" -eq 4 ] || fail "html lines"
grep -q '<svg id="weakest"' "$tmp/Diary.html" || fail "html bars"
code=0
"$cli" diary "$d" --html "$tmp/Diary.html" 2>"$tmp/err" || code=$?
[ "$code" -eq 2 ] || fail "overwrote without --force"
"$cli" diary "$d" --html "$tmp/Diary.html" --force
"$cli" diary "$d" --html - | grep -q '^<!DOCTYPE html>' || fail "html to standard output"

# Bad input: exit 2 and a message.
expect_2() { # message-part args...
    local want=$1 code=0
    shift
    "$cli" diary "$@" 2>"$tmp/err" >/dev/null || code=$?
    [ "$code" -eq 2 ] || fail "exit $code for $*"
    grep -q -- "$want" "$tmp/err" || fail "message for $*: $(cat "$tmp/err")"
}
expect_2 'no such file' "$tmp/none.csv"
printf 'participant;discipline;speed;errors;copy;marked\r\n' >"$tmp/Results.csv"
expect_2 'is not a diary' "$tmp/Results.csv"
expect_2 'do not go together' "$d" --json --html "$tmp/x.html"
expect_2 '--today must be a date' "$d" --today yesterday
expect_2 '--days must be' "$d" --days 0
[ ! -e "$tmp/x.html" ] || fail "refused command wrote a file"
