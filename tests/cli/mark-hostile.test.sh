#!/usr/bin/env bash
# klaviro-cli mark and results on what a hand or a mistake hands them: the
# error limit at its edge, hand-edited control texts, other encodings,
# endless and huge inputs, an empty copy.
set -eu
cli=${KLAVIRO_CLI:?}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "mark-hostile.test.sh: $*"; exit 1; }

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

# A copy saved as Notepad's "Unicode" (UTF-16 LE) and as UTF-16 BE.
printf '\xff\xfea\x00b\x00c\x00d\x00e\x00f\x00g\x00h\x00i\x00j\x00' >"$tmp/le.txt"
printf '\xfe\xff\x00a\x00b\x00c\x00d\x00e\x00f\x00g\x00h\x00i\x00j' >"$tmp/be.txt"
for copy in le be; do
    out=$("$cli" mark --control "$tmp/Letters.txt" --speed 100 --json "$tmp/$copy.txt")
    [ "$out" = '{"errors": 0, "accepted": true, "limit": 5, "characters": 10}' ] || fail "UTF-16 $copy: $out"
done

# Endless and huge inputs are refused with their size, not read to the end.
refuse() { # message-part command...
    local want=$1 code=0
    shift
    "$@" >/dev/null 2>"$tmp/err" || code=$?
    [ "$code" -eq 2 ] || fail "exit $code for $*"
    grep -q -- "$want" "$tmp/err" || fail "message for $*: $(cat "$tmp/err")"
}
mkfifo "$tmp/endless"
yes >"$tmp/endless" 2>/dev/null &
refuse 'larger than 16 MB' "$cli" mark --control "$tmp/endless" --speed 100 "$tmp/le.txt"
wait
yes >"$tmp/endless" 2>/dev/null &
refuse 'larger than 64 MB' "$cli" results "$tmp/endless"
wait
refuse 'standard input is larger than 1 MB' bash -c "yes | '$cli' mark --control '$tmp/Letters.txt' --speed 100 -"
{ printf 'abcdefghij'; printf '%020000d' 0 | tr 0 ' '; } >"$tmp/padded.txt"
refuse 'copy is longer than 16384 characters' "$cli" mark --control "$tmp/Letters.txt" --speed 100 "$tmp/padded.txt"

# An empty copy is not stored.
r="$tmp/Results.csv"
printf ' \r\n\t\r\n' >"$tmp/empty.txt"
refuse 'copy is empty' "$cli" mark --control "$tmp/Letters.txt" --speed 100 --participant Anna --results "$r" "$tmp/empty.txt"
[ ! -e "$r" ] || fail "an empty copy was stored: $(cat "$r")"

# A line an editor saved in code page 1251 leaves every UTF-8 line as it was.
row=$'\xc5\x81ukasz \xc5\xbb\xc3\xb3\xc5\x82\xc4\x87;letters;100;0;ABCDEFGHIJ;2026-12-07 10:00:00\r\n'
printf '\xef\xbb\xbfparticipant;discipline;speed;errors;copy;marked\r\n%s\xc8\xe2\xe0\xed;letters;100;1;A;\r\n' \
    "$row" >"$r"
printf '  abcdefghij \n' | "$cli" mark --control "$tmp/Letters.txt" --speed 100 --participant Boris --results "$r" - >/dev/null
grep -q -F "${row%$'\n'}" "$r" || fail "a UTF-8 line was rewritten: $(cat "$r")"
grep -q $'^\xd0\x98\xd0\xb2\xd0\xb0\xd0\xbd;letters;100;1;' "$r" || fail "the 1251 line: $(cat "$r")"
grep -q $'^Boris;letters;100;0;abcdefghij;' "$r" || fail "the copy is not stored trimmed: $(cat "$r")"
echo "mark-hostile ok"
