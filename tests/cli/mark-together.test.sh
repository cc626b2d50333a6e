#!/usr/bin/env bash
# Two klaviro-cli mark processes at once, 200 marks each, into one results
# file: every call succeeds and every mark is kept.
set -eu
cli=${KLAVIRO_CLI:?}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "mark-together.test.sh: $*"; exit 1; }

printf '100\r\n\r\nA B C D E   \r\n\r\n' >"$tmp/Letters.txt"
printf 'abcde' >"$tmp/copy.txt"
r="$tmp/Results.csv"

# marks <prefix>: 200 participants of their own; stops at the first failure.
marks() {
    local i
    for i in $(seq 1 200); do
        "$cli" mark --control "$tmp/Letters.txt" --speed 100 --participant "$1 $i" --results "$r" \
            "$tmp/copy.txt" >/dev/null 2>"$tmp/err.$1" || { echo "mark $1 $i failed: $(cat "$tmp/err.$1")"; return 1; }
    done
}
marks Anna &
first=$!
marks Boris &
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
# The lock file stays beside the results, empty; nothing else is left.
[ "$(ls "$tmp" | grep -v '^err\.' | tr '\n' ' ')" = "Letters.txt Results.csv Results.csv.lock copy.txt " ] ||
    fail "left in the folder: $(ls "$tmp")"
[ ! -s "$r.lock" ] || fail "the lock file has content"
