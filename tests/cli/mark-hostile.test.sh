#!/usr/bin/env bash
# klaviro-cli mark and results on what a hand or a mistake hands them: the
# error limit at its edge, a hand-edited control text, endless inputs, an
# empty copy.
. "$(dirname "$0")/lib.sh"

printf '100\r\n\r\nA B C D E   F G H I J   \r\n\r\n' >"$tmp/Letters.txt"

# Accepted up to the limit and not one error beyond it.
for case in "abcdefghyz 2 true" "abcdefgxyz 3 true" "abcdefwxyz 4 false"; do
    set -- $case
    out=$(printf '%s' "$1" | "$cli" mark --control "$tmp/Letters.txt" --speed 100 --limit 3 --json -)
    [ "$out" = "{\"errors\": $2, \"accepted\": $3, \"limit\": 3, \"characters\": 10}" ] || fail "limit 3, $2 errors: $out"
done

# A hand-edited control file is marked and played alike: blanks after the
# number, LF alone, no empty lines, no last line end.
printf '100 \nA B C D E   F G H I J' >"$tmp/Edited.txt"
out=$(printf 'abcdefghij' | "$cli" mark --control "$tmp/Edited.txt" --speed 100 --json -)
[ "$out" = '{"errors": 0, "accepted": true, "limit": 5, "characters": 10}' ] || fail "hand-edited: $out"
"$cli" wav --control "$tmp/Edited.txt" --out "$tmp/edited.wav" >/dev/null 2>"$tmp/err" ||
    fail "the player refused the hand-edited file: $(cat "$tmp/err")"

# Endless inputs are refused with their limit, not read to the end.
refuse() { # message-part command...
    local want=$1 code=0
    shift
    "$@" >/dev/null 2>"$tmp/err" || code=$?
    [ "$code" -eq 2 ] || fail "exit $code for $*"
    grep -q -- "$want" "$tmp/err" || fail "message for $*: $(cat "$tmp/err")"
}
mkfifo "$tmp/endless"
yes >"$tmp/endless" 2>/dev/null &
refuse 'larger than 16 MB' "$cli" mark --control "$tmp/endless" --speed 100 "$tmp/Letters.txt"
wait
yes >"$tmp/endless" 2>/dev/null &
refuse 'larger than 64 MB' "$cli" results "$tmp/endless"
wait
refuse 'standard input is larger than 1 MB' bash -c "yes | '$cli' mark --control '$tmp/Letters.txt' --speed 100 -"

# An empty copy is not stored.
r="$tmp/Results.csv"
printf ' \r\n\t\r\n' >"$tmp/empty.txt"
refuse 'copy is empty' "$cli" mark --control "$tmp/Letters.txt" --speed 100 --participant Anna --results "$r" "$tmp/empty.txt"
[ ! -e "$r" ] || fail "an empty copy was stored: $(cat "$r")"

echo "mark-hostile ok"
