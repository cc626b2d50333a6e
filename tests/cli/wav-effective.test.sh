#!/usr/bin/env bash
# klaviro-cli wav --effective: the signs at --speed, the gaps stretched so
# that the text lasts exactly as the same text sent at the effective speed,
# every sign still read by an independent decoder; a faster one is refused.
. "$(dirname "$0")/lib.sh"

for kind in letters mixed; do
    text=$("$cli" text --kind $kind --number 3 --groups 4)
    wav() { "$cli" wav --text "$text" --kind $kind --rate 22050 --delay 1 --force "$@" | sed -E 's/^[^:]*: //'; }
    out=$(wav --speed 100 --effective 40 --out "$tmp/e.wav")
    slow=$(wav --speed 40 --out "$tmp/slow.wav")
    [ "${out%% *}" = "${slow%% *}" ] || fail "$kind: stretched \"$out\", at 40 cpm \"$slow\""
    unit=$(echo "$out" | sed -E 's/.*unit ([0-9]+) samples.*/\1/')
    # The gaps between signs now pass for word gaps: compare the signs.
    got=$(morse_decode $((unit * 1000 / 22050)) "$tmp/e.wav" | tr -d ' ')
    [ "$got" = "$(printf '%s' "$text" | tr -d ' ')" ] || fail "$kind: decoded \"$got\", sent \"$text\""
done

code=0
"$cli" wav --text E --speed 100 --effective 120 --out "$tmp/x.wav" 2>"$tmp/err" || code=$?
[ "$code" -ne 0 ] && grep -q -- "--effective 120 is faster than --speed 100" "$tmp/err" && [ ! -e "$tmp/x.wav" ] ||
    fail "a faster effective speed: exit $code, $(cat "$tmp/err")"
echo "wav-effective ok"
