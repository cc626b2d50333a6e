#!/usr/bin/env bash
# klaviro-cli wav --effective: the signs at --speed, the gaps stretched so
# that the text lasts exactly as long as the same text sent at the effective
# speed; an independent decoder still reads every sign; equal speeds change
# no byte; an effective speed above the speed is refused.
. "$(dirname "$0")/lib.sh"

for kind in letters mixed; do
    text=$("$cli" text --kind $kind --number 3 --groups 4)
    out=$("$cli" wav --text "$text" --kind $kind --speed 100 --effective 40 --rate 22050 --delay 1 --force --out "$tmp/e.wav")
    unit=$(echo "$out" | sed -E 's/.*unit ([0-9]+) samples.*/\1/')
    slow=$("$cli" wav --text "$text" --kind $kind --speed 40 --rate 22050 --delay 1 --force --out "$tmp/slow.wav")
    [ "$(echo "${out#*: }" | cut -d' ' -f1)" = "$(echo "${slow#*: }" | cut -d' ' -f1)" ] ||
        fail "$kind: stretched \"$out\" does not last as the text at 40 cpm \"$slow\""
    # Gaps between signs now pass the decoder's word gap: compare the signs.
    got=$(morse_decode $((unit * 1000 / 22050)) "$tmp/e.wav" | tr -d ' ')
    want=$(printf '%s' "$text" | tr -d ' ')
    [ "$got" = "$want" ] || fail "$kind: decoded \"$got\", sent \"$want\""
done

"$cli" wav --text "P A R I S" --speed 120 --effective 120 --out "$tmp/same.wav" >/dev/null
"$cli" wav --text "P A R I S" --speed 120 --out "$tmp/plain.wav" >/dev/null
cmp -s "$tmp/same.wav" "$tmp/plain.wav" || fail "--effective equal to --speed changed the sound"

refuse() {
    local want=$1 code=0
    shift
    "$cli" wav "$@" 2>"$tmp/err" >/dev/null || code=$?
    [ "$code" -ne 0 ] || fail "accepted: $*"
    grep -q -- "$want" "$tmp/err" || fail "message for $*: $(cat "$tmp/err")"
}
refuse "--effective 120 is faster than --speed 100" --text E --speed 100 --effective 120 --out "$tmp/x.wav"
refuse "--effective must be between 1 and 1000" --text E --effective 0 --out "$tmp/x.wav"
printf 'E\n' >"$tmp/plain.txt"
refuse "cannot be used with --control or --text-file" --text-file "$tmp/plain.txt" --effective 50 --out "$tmp/x.wav"
[ ! -e "$tmp/x.wav" ] || fail "a refused command left a file"
echo "wav-effective ok"
