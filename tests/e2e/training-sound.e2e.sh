#!/usr/bin/env bash
# The sound settings page's Test with the real player, driven with the
# keyboard: start delay 0 and frequency 5000 typed in, Test. The test text is
# played at 850 Hz (5000 is out of range) and decodes to itself; a second
# Test, left with Esc after a few seconds, stops sounding when the page goes,
# and what was typed but not applied is not stored.
set -eu
build=$1
here=$(cd "$(dirname "$0")" && pwd)
. "$here/lib.sh"
. "$here/../cli/morse_decode.sh"
work="$build/e2e/training-sound"
rm -rf "$work"
mkdir -p "$work"
fail() { echo "training-sound: $*"; exit 1; }

dir="$work/run"
e2e_copy_program "$build" "$dir"
e2e_capture_start "$dir/home" "$dir/capture"
(cd "$dir" && HOME="$dir/home" exec wine KLAVIRO.exe >wine.log 2>&1) &
pid=$!
trap 'kill $pid 2>/dev/null || true; touch "$dir/home/fifo.stop"' EXIT
e2e_wait_window KLAVIRO 90 >/dev/null || fail "no KLAVIRO window"
sleep 2

# Main menu: Настройки is the sixth button; the settings menu opens with
# Оформление focused, Звучание is the third.
e2e_key KLAVIRO Tab Tab Tab Tab Tab Return
sleep 1
e2e_key KLAVIRO Tab Tab Return
sleep 1.5
# The start delay field has the focus; then frequency, volume, Test.
e2e_key KLAVIRO BackSpace 0 Tab BackSpace 5 0 0 0 Tab Tab space
# 50 characters per minute: 192 units of 99.7 ms.
sleep 21
# Again, but leave the page after 4 seconds.
e2e_key KLAVIRO space
sleep 4
e2e_key KLAVIRO Escape
sleep 2
e2e_screenshot "$dir/settings-menu.png"
e2e_key KLAVIRO alt+F4
e2e_wait_exit "$pid" 30 || fail "KLAVIRO did not close"
e2e_capture_stop "$dir/home"
trap - EXIT

# One capture per device opening: the page opens a player for each Test.
full="$dir/capture.0.wav"
left="$dir/capture.1.wav"
[ -s "$full" ] && [ -s "$left" ] || fail "expected two captures: $(ls "$dir")"
unit_ms=$((4398 * 1000 / 44100))
got=$(MORSE_FILTER="sinc 600-1100" morse_decode "$unit_ms" "$full")
echo "decoded \"$got\""
[ "$got" = "$(morse_expected "V V V   =   H E L L O   W O R L D   AR")" ] || fail "the test text did not decode"

python3 - "$full" "$left" <<'EOF'
import array, struct, sys

def tones(path):
    data = open(path, "rb").read()
    channels, rate = struct.unpack("<HI", data[22:28])
    bits = struct.unpack("<H", data[34:36])[0]
    body = data[44:]
    body = body[: len(body) // (bits // 8) * (bits // 8)]
    s = array.array({16: "h", 32: "i"}[bits], body)[::channels]
    limit = max(max(s), -min(s)) * 0.3
    runs, start, last = [], None, None
    for i, v in enumerate(s):
        if v > limit or v < -limit:
            if start is None:
                start = i
            elif i - last > rate // 1000:
                runs.append((start, last + 1))
                start = i
            last = i
    if start is not None:
        runs.append((start, last + 1))
    return s, rate, runs

s, rate, runs = tones(sys.argv[1])
# Frequency inside the longest tone, away from its edges.
a, b = max(runs, key=lambda r: r[1] - r[0])
inner = s[a + rate // 100 : b - rate // 100]
flips = sum(1 for x, y in zip(inner, inner[1:]) if (x < 0) != (y < 0))
hz = flips / 2 / (len(inner) / rate)
print("tone %.0f Hz; first tone at %.2f s" % (hz, runs[0][0] / rate))
if abs(hz - 850) > 15:
    sys.exit("training-sound: the test played at %.0f Hz, not 850" % hz)
if runs[0][0] / rate > 0.6:
    sys.exit("training-sound: a start delay of 0 began after %.2f s" % (runs[0][0] / rate))

s, rate, runs = tones(sys.argv[2])
end = runs[-1][1] / rate
print("second test: last tone ends at %.2f s of its capture" % end)
if not 3.0 < end < 5.5:
    sys.exit("training-sound: leaving the page did not end the sound (last tone at %.2f s)" % end)
EOF
# Left with Esc (Cancel): the typed delay was tried, never stored.
grep -aq $'^\tStartDelay\t=\t3\r$' "$dir/KLAVIRO.cfg" || fail "an unapplied start delay was stored"
echo "training-sound ok"
