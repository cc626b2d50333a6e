#!/usr/bin/env bash
# klaviro-cli mark --diary: a training check appended to the diary as the
# training page appends it, earlier rows untouched; what it refuses.
set -eu
cli=${KLAVIRO_CLI:?}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "mark-diary.test.sh: $*"; exit 1; }

# Letters 7, two groups, is IIHQW JGDOM: one wrong, the rest shifted by a
# missing O and an extra Z, which the alignment counts as two wrong.
printf 'ixhqw\njgdmz\n' >"$tmp/copy.txt"
d="$tmp/Diary.csv"
mark() { "$cli" mark --kind letters --number 7 --groups 2 "$@" "$tmp/copy.txt" >/dev/null; }
mark --speed 120 --limit 3 --diary "$d"
mark --speed 130 --limit 2 --diary "$d"

[ "$(head -c 3 "$d" | od -An -tx1 | tr -d ' ')" = efbbbf ] || fail "no byte order mark"
rows=$(tail -c +4 "$d" | tr -d '\r' | sed -E 's/^[0-9]{4}-[0-9]{2}-[0-9]{2} [0-9:]{8};/DATE;/')
want='date;kind;series;number;groups;speed;tone;characters;errors;accepted;confusions;copy;signs;drill;effective
DATE;letters;training;7;2;120;square;10;3;yes;I>X:1 O>M:1 M>Z:1;"ixhqw
jgdmz";;;0
DATE;letters;training;7;2;130;square;10;3;no;I>X:1 O>M:1 M>Z:1;"ixhqw
jgdmz";;;0'
[ "$rows" = "$want" ] || fail "rows: $rows"

# The summary reads them back.
"$cli" diary "$d" --json | grep -q '"checks": 2' || fail "summary: $("$cli" diary "$d" --json)"

refuse() {
    local want=$1
    shift
    local code=0
    "$@" 2>"$tmp/err" >/dev/null || code=$?
    [ "$code" -ne 0 ] || fail "accepted: $*"
    grep -q -- "$want" "$tmp/err" || fail "message for $*: $(cat "$tmp/err")"
}
before=$(md5sum <"$d")
refuse 'give --speed N' "$cli" mark --kind letters --number 7 --diary "$d" "$tmp/copy.txt"
printf 'ABCDE\n' >"$tmp/Letters.txt"
refuse 'training check' "$cli" mark --control "$tmp/Letters.txt" --speed 100 --diary "$d" "$tmp/copy.txt"
: >"$tmp/empty.txt"
refuse 'copy is empty' "$cli" mark --kind letters --number 7 --speed 100 --diary "$d" "$tmp/empty.txt"
[ "$(md5sum <"$d")" = "$before" ] || fail "a refused check changed the diary"
# A file that is no diary is left as it is.
printf 'participant;discipline;speed;errors;copy;marked\r\n' >"$tmp/Results.csv"
refuse 'Results.csv' "$cli" mark --kind letters --number 7 --speed 100 --diary "$tmp/Results.csv" "$tmp/copy.txt"
[ "$(cat "$tmp/Results.csv")" = "$(printf 'participant;discipline;speed;errors;copy;marked\r')" ] ||
    fail "the results file was written"
echo "mark-diary ok"
