#!/usr/bin/env bash
# klaviro-cli unmark: a mark taken out frees the copy it took; names match
# without regard to case and blanks; nothing else in the file changes.
set -eu
cli=${KLAVIRO_CLI:?}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "unmark.test.sh: $*"; exit 1; }

printf '100\r\n\r\nA\r\n\r\n110\r\n\r\nB\r\n\r\n120\r\n\r\nC\r\n\r\n130\r\n\r\nD\r\n\r\n' >"$tmp/Letters.txt"
r="$tmp/Results.csv"
mark() { printf 'a' | "$cli" mark --control "$tmp/Letters.txt" --speed "$2" --participant "$1" --results "$r" - >/dev/null; }
mark 'Anna Kowalska' 100
mark 'anna  KOWALSKA' 110 # the same participant
mark Boris 110
mark 'Anna Kowalska' 120
mark 'Anna Kowalska' 130 2>/dev/null && fail "a fourth copy was taken"

out=$("$cli" unmark --results "$r" --participant ' ANNA kowalska ' --control "$tmp/Letters.txt" --speed 110)
[ "$out" = 'removed the mark of ANNA kowalska in letters at 110' ] || fail "output: $out"
grep -q '^Boris;letters;110;' "$r" || fail "another participant's mark went: $(cat "$r")"
[ "$(grep -c '^Anna Kowalska;letters;' "$r")" -eq 2 ] || fail "not one mark removed: $(cat "$r")"
mark 'Anna Kowalska' 130 || fail "the removed mark's copy is not free"

# Refused with exit 2 and a message, the file unchanged.
cp "$r" "$tmp/before.csv"
expect_2() { # message-part args...
    local want=$1 code=0
    shift
    "$cli" unmark "$@" 2>"$tmp/err" >/dev/null || code=$?
    [ "$code" -eq 2 ] || fail "exit $code for $*"
    grep -q -- "$want" "$tmp/err" || fail "message for $*: $(cat "$tmp/err")"
    cmp -s "$r" "$tmp/before.csv" || fail "the file changed for $*"
}
expect_2 'no mark of Anna Kowalska (letters, 110)' --results "$r" --participant 'Anna Kowalska' --kind letters --speed 110
expect_2 'no mark of Boris (figures, 110)' --results "$r" --participant Boris --kind figures --speed 110
expect_2 '--speed is required' --results "$r" --participant Boris --kind letters
expect_2 'must be letters, figures or mixed' --results "$r" --participant Boris --kind words --speed 110
expect_2 'name the discipline' --results "$r" --participant Boris --speed 110
expect_2 'does not tell the discipline' --results "$r" --participant Boris --control "$tmp/run.txt" --speed 110
expect_2 'participant is empty' --results "$r" --participant '  ' --kind letters --speed 110
expect_2 'unexpected' --results "$r" --participant Boris --kind letters --speed 110 extra
printf 'Name,Score\n' >"$tmp/other.csv"
code=0
"$cli" unmark --results "$tmp/other.csv" --participant Boris --kind letters --speed 110 2>"$tmp/err" || code=$?
[ "$code" -eq 2 ] && grep -q 'not a results file' "$tmp/err" || fail "foreign file: $code $(cat "$tmp/err")"
[ "$(cat "$tmp/other.csv")" = 'Name,Score' ] || fail "foreign file changed"
code=0
"$cli" unmark --results "$tmp/none.csv" --participant Boris --kind letters --speed 110 2>/dev/null || code=$?
[ "$code" -eq 2 ] && [ ! -e "$tmp/none.csv" ] || fail "a missing file: exit $code, or made"
"$cli" --help | grep -q 'unmark --results FILE' || fail "--help does not list unmark"
