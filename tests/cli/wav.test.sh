#!/usr/bin/env bash
# klaviro-cli wav: the file holds exactly the player's samples, an independent
# decoder reads back every kind of text at slow and fast speeds, the volume
# scales around the silence level, and bad values are refused.
. "$(dirname "$0")/lib.sh"

# Decoding: every kind, speeds from 40 to 1000, every sample rate, the
# frequency range, and the training preamble around the text, with both
# tone shapes.
while read -r kind number speed rate freq extra; do
    [ "$extra" = - ] && extra=""
    out=$("$cli" wav --kind "$kind" --number "$number" --groups 6 --speed "$speed" --rate "$rate" \
        --frequency "$freq" --delay 1 $extra --force --out "$tmp/t.wav")
    unit=$(unit_of "$out")
    text=$("$cli" text --kind "$kind" --number "$number" --groups 6)
    case "$extra" in *--preamble*) text="V V V   =   ${text}AR" ;; esac
    got=$(morse_decode $((unit * 1000 / rate)) "$tmp/t.wav")
    want=$(morse_expected "$text")
    [ "$got" = "$want" ] || fail "$kind $number at $speed cpm, $rate/s, $freq Hz: decoded \"$got\", sent \"$want\""
done <<'EOF'
letters 1 40 11025 850 -
letters 2 250 44100 500 --preamble
letters 3 1000 96000 3000 -
figures 4 60 22050 850 -
figures 5 300 48000 1200 -
figures 6 900 44100 2500 -
mixed 7 50 44100 850 --preamble
mixed 8 200 96000 700 -
mixed 9 600 11025 1500 -
letters 10 40 44100 850 --shape sine
figures 11 120 11025 700 --shape sine
mixed 12 300 22050 1500 --shape sine --preamble
letters 13 1000 44100 850 --shape sine
figures 14 1000 96000 3000 --shape sine
mixed 15 1000 48000 500 --shape sine
EOF

# Exact samples: E at 11025 with a 2 s delay is 22050 x 0x80, one tone unit
# starting high, then the closing gap and the appended blank (3 units of 0x80).
out=$("$cli" wav --text E --speed 100 --rate 11025 --delay 2 --out "$tmp/e.wav")
unit=$(unit_of "$out")
soxi "$tmp/e.wav" | grep -q 'Sample Rate *: 11025' || fail "sample rate"
soxi "$tmp/e.wav" | grep -q 'Channels *: 1' || fail "channels"
soxi "$tmp/e.wav" | grep -q '8-bit Unsigned' || fail "sample encoding"
python3 - "$tmp/e.wav" "$unit" <<'EOF' || fail "E samples"
import sys
data = open(sys.argv[1], "rb").read()
u = int(sys.argv[2])
n = int.from_bytes(data[40:44], "little")
assert n == 22050 + 4 * u, (n, u)
s = data[44:44 + n]
assert s[:22050] == b"\x80" * 22050
tone = s[22050:22050 + u]
assert all(b == (0x00 if (k * 1700 // 11025) % 2 else 0xFF) for k, b in enumerate(tone))
assert s[22050 + u:] == b"\x80" * (3 * u)
assert len(data) == 44 + n + (n & 1)
EOF

# The sine: 16-bit, the same length, silence up to half a ramp before the
# dot, the dot's peak at 0.8 of full scale, and the volume scaling it.
for v in 100 85; do
    out=$("$cli" wav --text E --speed 100 --rate 48000 --frequency 1000 --delay 1 --shape sine --volume $v \
        --out "$tmp/s$v.wav")
done
unit=$(unit_of "$out")
soxi "$tmp/s100.wav" | grep -q '16-bit Signed' || fail "sine sample encoding"
python3 - "$tmp" "$unit" <<'EOF' || fail "E samples of the sine"
import array, sys
u = int(sys.argv[2])
ramp = min(48000 // 200, u // 3)
def samples(v):
    data = open("%s/s%d.wav" % (sys.argv[1], v), "rb").read()
    assert int.from_bytes(data[40:44], "little") == 2 * (48000 + 4 * u)
    return array.array("h", data[44:])
s = samples(100)
start = 48000 - ramp // 2
assert not any(s[:start + 1]) and s[start + 1] >= 0
assert max(s) == 26214 and min(s) == -26214, (max(s), min(s))
assert not any(s[start + u + ramp:])
assert max(samples(85)) == round(26214 * 10 ** (-15 / 20))
EOF

# Volume: 100 leaves the three levels, 85 is -15 dB around 0x80, 0 is silence.
for v in 100 85 0; do
    "$cli" wav --text "T E S T" --speed 300 --delay 0 --volume $v --out "$tmp/v$v.wav" >/dev/null
done
python3 - "$tmp" <<'EOF' || fail "volume levels"
import sys
d = sys.argv[1]
levels = {v: set(open("%s/v%d.wav" % (d, v), "rb").read()[44:]) for v in (100, 85, 0)}
assert levels[100] == {0x00, 0x80, 0xFF}, levels[100]
assert levels[85] == {105, 0x80, 151}, levels[85]
assert levels[0] == {0x80}, levels[0]
EOF

# Bad values: exit code 2 and a message naming the problem.
refuse() {
    local what=$1
    shift
    if "$cli" wav "$@" 2>"$tmp/err" >/dev/null; then fail "accepted $*"; fi
    grep -q -- "$what" "$tmp/err" || fail "message for $* lacks \"$what\": $(cat "$tmp/err")"
}
refuse "--rate must be one of" --text E --rate 12345 --out "$tmp/x.wav"
refuse "--speed must be between 1 and 1000" --text E --speed 0 --out "$tmp/x.wav"
refuse "--speed must be a whole number" --text E --speed fast --out "$tmp/x.wav"
refuse "--frequency must be between 500 and 3000" --text E --frequency 499 --out "$tmp/x.wav"
refuse "--volume must be between 0 and 100" --text E --volume 101 --out "$tmp/x.wav"
refuse "--delay must be between 0 and 60" --text E --delay 61 --out "$tmp/x.wav"
refuse "--out FILE is required" --text E
refuse "not several" --text E --number 3 --kind letters --out "$tmp/x.wav"
refuse "give the text" --speed 100 --out "$tmp/x.wav"
refuse "--kind must be letters, figures or mixed" --text E --kind words --out "$tmp/x.wav"
refuse "--number" --kind letters --groups 3 --out "$tmp/x.wav"
refuse "cannot create" --text E --out "$tmp/no/such/dir/x.wav"
[ ! -e "$tmp/x.wav" ] || fail "a refused command left a file"

# The output: standard output gives the file's bytes; an existing file stays
# without --force and is replaced whole with it; a pipe or a device is written
# into and stays what it is; anything else, or a failed write, changes nothing
# and leaves no temporary behind.
mkdir "$tmp/o"
wav() { "$cli" wav --text "T E S T" --speed 300 --delay 0 "$@"; }
wav --out "$tmp/o/ref.wav" >/dev/null
wav --out - 2>"$tmp/err" >"$tmp/stdout.wav"
cmp -s "$tmp/stdout.wav" "$tmp/o/ref.wav" || fail "--out - differs from the file"
grep -q '^-: .* samples' "$tmp/err" || fail "--out - report: $(cat "$tmp/err")"
printf 'mine\n' >"$tmp/o/user.wav"
printf 'mine too\n' >"$tmp/o/user.wav.tmp"
refuse "use --force" --text E --out "$tmp/o/user.wav"
[ "$(cat "$tmp/o/user.wav")" = mine ] || fail "an existing file was changed without --force"
wav --force --out "$tmp/o/user.wav" >/dev/null
cmp -s "$tmp/o/user.wav" "$tmp/o/ref.wav" || fail "--force did not replace the file"
[ "$(cat "$tmp/o/user.wav.tmp")" = 'mine too' ] || fail "the user's .tmp file was taken over"
ln -s user.wav "$tmp/o/link.wav"
printf 'old\n' >"$tmp/o/user.wav"
wav --force --out "$tmp/o/link.wav" >/dev/null
[ -L "$tmp/o/link.wav" ] || fail "the link was replaced by a file"
cmp -s "$tmp/o/user.wav" "$tmp/o/ref.wav" || fail "the linked file was not written"

mkfifo "$tmp/o/pipe"
cat "$tmp/o/pipe" >"$tmp/piped.wav" &
reader=$!
wav --force --out "$tmp/o/pipe" >/dev/null
[ -p "$tmp/o/pipe" ] || { kill $reader; fail "the pipe was replaced"; }
wait $reader
cmp -s "$tmp/piped.wav" "$tmp/o/ref.wav" || fail "the pipe did not carry the file"
if [ -w /dev/null ] && [ -c /dev/null ]; then
    wav --force --out /dev/null >/dev/null || fail "writing into /dev/null"
    [ -c /dev/null ] || fail "/dev/null was replaced"
fi
mkdir "$tmp/o/adir"
refuse "not a regular file" --text E --force --out "$tmp/o/adir"
[ -d "$tmp/o/adir" ] || fail "a directory was replaced"

printf 'old\n' >"$tmp/o/user.wav"
if (trap '' XFSZ; ulimit -f 8; "$cli" wav --text "T E S T" --speed 20 --force --out "$tmp/o/user.wav") \
    2>"$tmp/err" >/dev/null; then fail "a failed write was reported as success"; fi
grep -q 'cannot write' "$tmp/err" || fail "failed write message: $(cat "$tmp/err")"
[ "$(cat "$tmp/o/user.wav")" = old ] || fail "a failed write changed the file"
if [ -w /dev/full ]; then
    refuse "cannot write" --text "T E S T" --force --out /dev/full
    [ -c /dev/full ] || fail "/dev/full was replaced"
fi
[ "$(ls "$tmp/o" | tr '\n' ' ')" = 'adir link.wav pipe ref.wav user.wav user.wav.tmp ' ] ||
    fail "files left behind: $(ls "$tmp/o")"
echo "wav ok"
