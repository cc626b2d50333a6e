#!/usr/bin/env bash
# klaviro-cli key-times and key-decode: the exact key timings of a text come
# back as the text with ideal figures; a sender's file is judged; bad files
# and options are refused with the line or option named.
. "$(dirname "$0")/lib.sh"

# A numbered text at 120 cpm: decoded whole, every figure ideal.
"$cli" key-times --kind mixed --number 125 --groups 4 --speed 120 --out "$tmp/k" >"$tmp/summary"
grep -q "presses, unit " "$tmp/summary" || fail "no summary: $(cat "$tmp/summary")"
"$cli" key-decode --kind mixed --number 125 --groups 4 --json "$tmp/k" >"$tmp/j"
grep -q '"text": "CCFBQ GAP0I ?6WYL OZ54X"' "$tmp/j" || fail "decoded: $(cat "$tmp/j")"
for figure in '"ratio": 3.0000' '"quality": 100.0' '"mistakes": 0' '"accepted": true' '"unit_cpm": 120.0' \
    '"char_gaps": {"mean": 3.0000, "spread": 0.0000' '"word_gaps": {"mean": 7.0000' '"worst": \[\]'; do
    grep -q "$figure" "$tmp/j" || fail "lacks $figure: $(cat "$tmp/j")"
done

# A sender's correction (the error sign, '#') and one mistake, judged.
"$cli" key-times --text "T E S   #   T E S T   A T   " --speed 90 --out "$tmp/sent" >/dev/null
"$cli" key-decode --plain "TEST AA" --guess 60 "$tmp/sent" >"$tmp/p"
grep -qx "text: TES # TEST AT" "$tmp/p" || fail "sent: $(cat "$tmp/p")"
grep -qx "corrected: TEST AT (1 corrections)" "$tmp/p" || fail "correction: $(cat "$tmp/p")"
grep -qx "mistakes: 1, at most 3: accepted" "$tmp/p" || fail "judgement: $(cat "$tmp/p")"
"$cli" key-decode --plain "TEST AA" --max-errors 0 - <"$tmp/sent" | grep -qx "mistakes: 1, at most 0: not accepted" ||
    fail "--max-errors, standard input"

# Errors: exit 2, a message naming the problem, nothing on stdout.
expect_error() {
    local pattern=$1
    shift
    if "$cli" "$@" >"$tmp/out" 2>"$tmp/err"; then fail "accepted: $*"; fi
    [ ! -s "$tmp/out" ] || fail "printed something for: $*"
    grep -q -- "$pattern" "$tmp/err" || fail "message for '$*' lacks '$pattern': $(cat "$tmp/err")"
}
printf '0 50\n100 150\n140 200\n' >"$tmp/overlap"
expect_error 'line 3: the key goes down' key-decode "$tmp/overlap"
printf '0 50\n\n# note\n100 fifty\n' >"$tmp/word"
expect_error 'line 4: expected two times' key-decode "$tmp/word"
printf '# nothing\n' >"$tmp/empty"
expect_error 'no key presses' key-decode "$tmp/empty"
expect_error 'no such file' key-decode "$tmp/missing"
expect_error 'FILE' key-decode
expect_error 'judge against a text' key-decode --minute "$tmp/sent"
expect_error 'name the text' key-times --speed 100 --out "$tmp/x"
expect_error 'out' key-times --plain ABC
expect_error 'faster' key-times --plain ABC --speed 100 --effective 150 --out "$tmp/x"
expect_error 'exists' key-times --plain ABC --out "$tmp/k"
[ ! -e "$tmp/x" ] || fail "a refused command wrote its file"
exit 0
