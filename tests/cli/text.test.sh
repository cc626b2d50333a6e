#!/usr/bin/env bash
# klaviro-cli text: the text of a number, exactly as the text generator page
# shows it, and clear errors for what it cannot take.
. "$(dirname "$0")/lib.sh"

# Known texts (seed = number + series x 10000000, 5 characters per group).
[ "$("$cli" text --kind figures --number 468 --groups 5)" = \
  "6 5 9 9 8   8 3 2 6 3   7 9 4 8 2   1 7 2 7 1   6 2 3 8 7   " ] || fail "figures 468"
[ "$("$cli" text --kind letters --number 7 --groups 5 --series competition)" = \
  "W W R P G   O X T A S   I D Q Z B   V M F U K   H C X N L   " ] || fail "letters 7 competition"
[ "$("$cli" text --kind mixed --number 125 --groups 4 --series training)" = \
  "C C F B Q   G A P 0 I   ? 6 W Y L   O Z 5 4 X   " ] || fail "mixed 125"

# Defaults: training series, 20 groups; the line ends after the last blanks.
"$cli" text --kind letters --number 7 >"$tmp/a"
"$cli" text --kind letters --number 7 --series training --groups 20 >"$tmp/b"
cmp -s "$tmp/a" "$tmp/b" || fail "defaults differ from training, 20 groups"
[ "$(wc -c <"$tmp/a")" -eq $((20 * 12 + 1)) ] || fail "20 groups are not 240 bytes and a line feed"
grep -Eq '^([A-Z] ){5}  (([A-Z] ){5}  ){19}$' "$tmp/a" || fail "layout of 20 letter groups"
"$cli" text --kind letters --number 7 --groups 5 >"$tmp/c"
cmp -s "$tmp/a" "$tmp/c" && fail "the length does not change the text"

# The largest text a page can ask for.
"$cli" text --kind mixed --number 10000000 --series competition --groups 10000 >"$tmp/big"
[ "$(wc -c <"$tmp/big")" -eq $((10000 * 12 + 1)) ] || fail "10000 groups"

# Errors: non-zero exit, a message naming the problem, nothing on stdout.
expect_error() {
    local pattern=$1
    shift
    if "$cli" text "$@" >"$tmp/out" 2>"$tmp/err"; then fail "accepted: $*"; fi
    [ ! -s "$tmp/out" ] || fail "printed a text for: $*"
    grep -q -- "$pattern" "$tmp/err" || fail "message for '$*' lacks '$pattern': $(cat "$tmp/err")"
}
expect_error 'number' --kind letters --number 0
expect_error 'number' --kind letters --number 10000001
expect_error 'number' --kind letters --number 12x
expect_error 'kind' --kind cyrillic --number 5
expect_error 'series' --kind letters --number 5 --series final
expect_error 'groups' --kind letters --number 5 --groups 10001
expect_error 'unknown option' --kind letters --number 5 --width 60
expect_error 'unexpected' --kind letters --number 5 extra
