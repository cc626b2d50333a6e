#!/usr/bin/env bash
# Two klaviro-cli mark processes at once, 200 marks each, into one results
# file, one of them through a link to it: every call succeeds, every mark is
# kept, and the link stays a link.
. "$(dirname "$0")/lib.sh"

printf '100\r\n\r\nA B C D E   \r\n\r\n' >"$tmp/Letters.txt"
printf 'abcde' >"$tmp/copy.txt"
r="$tmp/Results.csv"

ln -s Results.csv "$tmp/link.csv"

# marks <prefix> <results>: 200 participants of their own; stops at the
# first failure.
marks() {
    local i
    for i in $(seq 1 200); do
        "$cli" mark --control "$tmp/Letters.txt" --speed 100 --participant "$1 $i" --results "$2" \
            "$tmp/copy.txt" >/dev/null 2>"$tmp/err.$1" || { echo "mark $1 $i failed: $(cat "$tmp/err.$1")"; return 1; }
    done
}
marks Anna "$r" &
first=$!
marks Boris "$tmp/link.csv" &
second=$!
status=0
wait $first || status=1
wait $second || status=1
[ $status -eq 0 ] || fail "a mark failed"
rows=$(($(wc -l <"$r") - 1))
[ "$rows" -eq 400 ] || fail "$rows rows of 400"
for who in Anna Boris; do
    [ "$(grep -c "^$who [0-9]*;letters;100;0;" "$r")" -eq 200 ] || fail "$who's marks: $(grep -c "^$who " "$r")"
done
# One lock file, beside the file the link names, stays empty; nothing else
# is left.
[ -L "$tmp/link.csv" ] || fail "the link was replaced"
[ "$(ls "$tmp" | grep -v '^err\.' | tr '\n' ' ')" = "Letters.txt Results.csv Results.csv.lock copy.txt link.csv " ] ||
    fail "left in the folder: $(ls "$tmp")"
[ ! -s "$r.lock" ] || fail "the lock file has content"
