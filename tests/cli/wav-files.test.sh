#!/usr/bin/env bash
# klaviro-cli wav --plain, --control and --text-file: ordinary text becomes
# the sending format; a whole file is its texts, each exactly as one text
# renders, with the pauses between and none after the last.
. "$(dirname "$0")/lib.sh"
# The samples of a WAV file after its 44-byte header.
data() { tail -c +45 "$1" | head -c "$(od -An -tu4 -j40 -N4 "$1" | tr -d ' ')"; }

# --plain: case, gaps and left-out signs.
out=$("$cli" wav --plain "cq  test de R1ABC!" --speed 120 --delay 0 --out "$tmp/p.wav" 2>"$tmp/err")
grep -q "left out 1 character(s) without a Morse code: '!'" "$tmp/err" || fail "no note: $(cat "$tmp/err")"
got=$(morse_decode $(($(unit_of "$out") * 1000 / 44100)) "$tmp/p.wav")
[ "$got" = "CQ TEST DE R1ABC" ] || fail "--plain decoded \"$got\""
"$cli" wav --text "C Q   T E S T   D E   R 1 A B C   " --speed 120 --delay 0 --out "$tmp/t.wav" >/dev/null
cmp -s <(data "$tmp/p.wav") <(data "$tmp/t.wav") || fail "--plain differs from its sending format"

# --text in UTF-8 (every argument on Windows) sends the code page 1251
# letters it names.
"$cli" wav --text "Ж Я Ё" --speed 120 --out "$tmp/u.wav" >/dev/null
"$cli" wav --text $'\xc6 \xdf \xa8' --speed 120 --out "$tmp/c.wav" >/dev/null
cmp -s "$tmp/u.wav" "$tmp/c.wav" || fail "--text in UTF-8 differs from its code page 1251 bytes"

# runs_are <wav> <delay> <pause> <unit>:<code>...: the 8-bit WAV holds, to
# the sample, the texts whose Morse code is written out by hand (letters
# parted by a blank, groups by "|"), each after the start delay, with the
# pause between them: a dot one unit, a dash three, each followed by a gap of
# one; a blank between letters two more, between groups six; the appended
# blank two.
runs_are() {
    python3 - "$@" <<'EOF'
import itertools, sys
wav, delay, pause = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
data = open(wav, "rb").read()
n = int.from_bytes(data[40:44], "little")
got = [len(list(g)) * (1 if sound else -1) for sound, g in itertools.groupby(data[44 : 44 + n], lambda b: b != 0x80)]
want = []
def add(k):
    if k and want and (want[-1] > 0) == (k > 0):
        want[-1] += k
    elif k:
        want.append(k)
for i, text in enumerate(sys.argv[4:]):
    unit, code = text.split(":")
    u = int(unit)
    add(-pause if i else 0)
    add(-delay)
    for g, group in enumerate(code.split("|")):
        add(-6 * u if g else 0)
        for l, letter in enumerate(group.split(" ")):
            add(-2 * u if l else 0)
            for element in letter:
                add(u if element == "." else 3 * u)
                add(-u)
    add(-2 * u)
k = next((k for k, (a, b) in enumerate(zip(got + [0], want + [0])) if a != b), None)
if k is not None:
    sys.exit("%s: run %d of %d is %s, wanted %s" % (wav, k, len(want), got[k : k + 3], want[k : k + 3]))
EOF
}

# A run's file with CR LF: 200 and 210 letters a minute (units of 274 and
# 261 samples at 11025 a second), the first text over two lines.
printf '200\r\n\r\nP A R I S   \r\nT E S T   \r\n\r\n210\r\n\r\nE T   \r\n\r\n' >"$tmp/Letters.txt"
out=$("$cli" wav --control "$tmp/Letters.txt" --rate 11025 --delay 1 --interval 2 --out "$tmp/run.wav")
case "$out" in *", 2 texts") ;; *) fail "summary: $out" ;; esac
preamble="--- --- --- --- ---|..--- ----- -----|...- ...- ...-|-...-"
runs_are "$tmp/run.wav" 11025 22050 "274:$preamble|.--. .- .-. .. ...|- . ... -|.-.-." \
    "261:--- --- --- --- ---|..--- .---- -----|...- ...- ...-|-...-|. -|.-.-." ||
    fail "--control is not its two texts with a 2 s pause"
got=$(morse_decode 24 "$tmp/run.wav")
want="$(morse_expected "O O O O O   2 0 0   V V V   =   P A R I S   T E S T   AR") $(morse_expected "O O O O O   2 1 0   V V V   =   E T   AR")"
[ "$got" = "$want" ] || fail "--control decoded \"$got\", sent \"$want\""

# One speed and another kind for all: figures at 300 (a unit of 123), their
# preamble, no pause.
"$cli" wav --control "$tmp/Letters.txt" --kind figures --speed 300 --interval 0 --rate 11025 --delay 0 \
    --out "$tmp/fast.wav" >/dev/null
preamble="----- ----- ----- ----- -----|...-- ----- -----|...- ...- ...-|-...-"
runs_are "$tmp/fast.wav" 0 0 "123:$preamble|.--. .- .-. .. ...|- . ... -|.-.-." "123:$preamble|. -|.-.-." ||
    fail "--speed/--kind for all texts"

# An ordinary text file is sent as the training page sends text; the progress
# line shows when rendering takes a while (here: at once). Letters and figures
# make it mixed.
printf 'cq test\r\nde R1ABC\r\n' >"$tmp/book.txt"
KLAVIRO_PROGRESS_MS=0 "$cli" wav --text-file "$tmp/book.txt" --speed 150 --out "$tmp/book.wav" >/dev/null \
    2>"$tmp/err"
grep -q "text 1 of 1" "$tmp/err" && grep -q "100%" "$tmp/err" || fail "no progress line: $(cat "$tmp/err")"
"$cli" wav --plain "CQ TEST DE R1ABC" --kind mixed --preamble --speed 150 --out "$tmp/t2.wav" >/dev/null
cmp -s <(data "$tmp/book.wav") <(data "$tmp/t2.wav") || fail "--text-file differs from --plain with the preamble"
"$cli" wav --text-file "$tmp/book.txt" --out "$tmp/quiet.wav" >/dev/null 2>"$tmp/err"
[ ! -s "$tmp/err" ] || fail "a short render printed: $(cat "$tmp/err")"

refuse() {
    local what=$1
    shift
    if "$cli" wav "$@" 2>"$tmp/err" >/dev/null; then fail "accepted $*"; fi
    grep -q -- "$what" "$tmp/err" || fail "message for $* lacks \"$what\": $(cat "$tmp/err")"
}
refuse "no character with a Morse code" --plain "!@#" --out "$tmp/x.wav"
refuse "is not a control-text file" --control "$tmp/book.txt" --out "$tmp/x.wav"
refuse "cannot read" --control "$tmp/none.txt" --out "$tmp/x.wav"
refuse "not several" --control "$tmp/Letters.txt" --text-file "$tmp/book.txt" --out "$tmp/x.wav"
refuse "not several" --plain A --text A --out "$tmp/x.wav"
refuse "U+0141, which code page 1251 lacks" --text "Ł" --out "$tmp/x.wav"
refuse "always send the preambles" --control "$tmp/Letters.txt" --preamble --out "$tmp/x.wav"
refuse "--interval is the pause" --text E --interval 5 --out "$tmp/x.wav"
refuse "--interval must be between 0 and 600" --control "$tmp/Letters.txt" --interval 601 --out "$tmp/x.wav"
[ ! -e "$tmp/x.wav" ] || fail "a refused command left a file"
echo "wav-files ok"
