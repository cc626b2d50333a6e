#!/usr/bin/env bash
# A training text played from the training reception page, as the trainee
# does it with the keyboard: to the page, fixed length of four groups, Begin,
# Start. The sound, captured through ALSA's file plugin at real time, decodes
# with an independent decoder into the preamble, the text shown and AR; its
# dots are as long as the unit; a screenshot while playing shows the
# highlighted group in the text box, and one before shows every line of the
# text box whole.
#
# Wine's mixer can run dry on a loaded machine and insert a little silence,
# so a run whose sound does not decode is made once more.
set -eu
build=$1
here=$(cd "$(dirname "$0")" && pwd)
. "$here/lib.sh"
. "$here/../cli/morse_decode.sh"
work="$build/e2e/training"
rm -rf "$work"
mkdir -p "$work"
fail() { echo "training: $*"; exit 1; }

cli="$build/native/klaviro-cli"
[ -x "$cli" ] || fail "needs the native klaviro-cli in $build/native"
groups=4
text=$("$cli" text --kind letters --number 1 --groups $groups)
# Letters at 100 characters per minute and 44100 samples per second.
unit=$(awk 'BEGIN { printf "%d", 44100 * (60 / ((8.2307692307692 + 3.8) * 100)) }')
unit_ms=$(awk -v u="$unit" 'BEGIN { printf "%d", u * 1000 / 44100 }')

# start_program <dir> [capture]: KLAVIRO.exe from a folder of its own, with
# the paced capture as its sound card or with none; sets $pid and $pacer.
start_program() {
    local dir=$1
    e2e_copy_program "$build" "$dir"
    mkdir -p "$dir/home"
    pacer=""
    if [ "${2:-}" = capture ]; then
        e2e_capture_start "$dir/home" "$dir/capture"
    fi
    (cd "$dir" && HOME="$dir/home" exec wine KLAVIRO.exe >wine.log 2>&1) &
    pid=$!
    e2e_wait_window KLAVIRO 90 >/dev/null || { kill "$pid"; return 1; }
    sleep 2
}

stop_program() {
    local dir=$1
    e2e_key KLAVIRO alt+F4 || true
    e2e_wait_exit "$pid" 30 || { echo "KLAVIRO did not close"; return 1; }
    if [ -n "$pacer" ]; then
        e2e_capture_stop "$dir/home"
    fi
}

# From the main menu to the training page: the second button is
# Тренировка, and the training menu opens with Прием focused.
to_training_page() {
    e2e_key KLAVIRO Tab
    e2e_key KLAVIRO Return
    sleep 1
    e2e_key KLAVIRO Return
    sleep 1.5
}

# Highlight-coloured (silver) pixels inside the text box of a screenshot.
silver_pixels() {
    convert "$1" -crop "$(($2 - 40))x$(($3 / 2))+10+170" +repage -fill black +opaque '#C0C0C0' \
        -fill white -opaque '#C0C0C0' -format '%[fx:round(mean*w*h)]' info:
}

# whole_lines <screenshot>: every line of the text box shows its five groups
# whole. A line whose last column does not fit shows fewer characters, or its
# last one cut at the edge of the drawing area, 4 pixels in from the box's.
whole_lines() {
    python3 - "$1" <<'EOF'
import subprocess, sys
ppm = subprocess.run(["convert", sys.argv[1], "-depth", "8", "ppm:-"], capture_output=True, check=True).stdout
head = ppm.split(b"\n", 3)
w, h = map(int, head[1].split())
px = head[3]
black = b"\0\0\0"
at = lambda x, y: px[3 * (y * w + x) : 3 * (y * w + x) + 3]
# The text box: the black area under the middle of the window.
y0 = next(y for y in range(100, h) if at(w // 2, y) == black)
x0 = next(x for x in range(w // 2, -1, -1) if at(x, y0 + 1) != black) + 1
x1 = next(x for x in range(w // 2, w) if at(x, y0 + 1) != black)
y1 = next((y for y in range(y0, h) if at(x0 + 1, y) != black), h)
green = lambda p: p[1] > 64 and p[0] < 64 and p[2] < 64
lines, band = [], set()
for y in range(y0, y1):
    row = [x for x in range(x0, x1) if green(at(x, y))]
    band.update(row)
    if band and not row:
        lines.append(sorted(band))
        band = set()
if band:
    lines.append(sorted(band))
if len(lines) < 2:
    sys.exit("training: the text box shows %d lines" % len(lines))
for n, columns in enumerate(lines, 1):
    characters = []  # runs of columns with ink; blanks part them
    for x in columns:
        if characters and x == characters[-1][1] + 1:
            characters[-1][1] = x
        else:
            characters.append([x, x])
    steps = sorted(b[0] - a[0] for a, b in zip(characters, characters[1:]))
    cell = steps[len(steps) // 2] / 2  # a character and its blank
    room = x1 - 4 - characters[-1][1]
    print("line %d: %d characters, %d pixels (%.1f cells) to spare" % (n, len(characters), room, room / cell))
    if (n < len(lines) and len(characters) != 25) or room < 2 * cell:
        sys.exit("training: line %d of the text box is cut off" % n)
EOF
}

play_text() {
    local dir="$work/play$1" silver geometry capture got want
    start_program "$dir" capture || return 1
    to_training_page
    # The page's own text, before the length changes: whole lines.
    e2e_screenshot "$dir/page.png"
    page_shot="$dir/page.png"
    # The text number field has the focus: on to the length list, fixed
    # length (item 0), past the speed step and speed to the groups field.
    e2e_key KLAVIRO Tab Tab Up
    e2e_key KLAVIRO Tab Tab Tab
    e2e_key KLAVIRO BackSpace $groups
    # Enter: Begin (Start is still disabled), then Start.
    e2e_key KLAVIRO Return
    sleep 0.5
    e2e_key KLAVIRO Return
    # 3 s of start delay and 2.8 s of preamble, then 12 s of text.
    sleep 10
    e2e_screenshot "$dir/playing.png"
    geometry=$(xdotool getwindowgeometry "$(e2e_wait_window KLAVIRO 5)" | awk '/Geometry/ {print $2}')
    silver=$(silver_pixels "$dir/playing.png" "${geometry%x*}" "${geometry#*x}")
    sleep 11
    stop_program "$dir" || return 1
    echo "play$1: $silver highlighted pixels in the text box while playing"
    [ "$silver" -gt 50 ] || { echo "training: no highlighted group in $dir/playing.png"; return 1; }

    capture=$(ls -S "$dir"/capture.*.wav | head -n 1)
    got=$(MORSE_FILTER="sinc 600-1100" morse_decode "$unit_ms" "$capture" | tr -d ' ')
    want=$(morse_expected "V V V   =   ${text}AR" | tr -d ' ')
    echo "play$1: decoded \"$got\""
    [ "$got" = "$want" ] || { echo "training: sent \"$want\""; return 1; }

    # The dot length. Wine's mixer smears every step between silence and
    # full scale over a fraction of a millisecond, which lengthens each tone
    # as measured by the same amount at both ends; the time from the start
    # of a dot to the start of the next element of the same character (dot
    # and gap, two units) does not depend on that.
    python3 - "$capture" "$unit" <<'EOF'
import array, statistics, struct, sys
path, unit = sys.argv[1], int(sys.argv[2])
data = open(path, "rb").read()
channels, rate = struct.unpack("<HI", data[22:28])
bits = struct.unpack("<H", data[34:36])[0]
body = data[44:]
body = body[: len(body) // (bits // 8) * (bits // 8)]
samples = array.array({16: "h", 32: "i"}[bits], body)[::channels]
peak = max(max(samples), -min(samples))
limit = peak * 0.3
bridge = rate // 1000  # no rest inside a tone is this long
runs, start, last = [], None, None
for i, s in enumerate(samples):
    if s > limit or s < -limit:
        if start is None:
            start = i
        elif i - last > bridge:
            runs.append((start, last + 1))
            start = i
        last = i
if start is not None:
    runs.append((start, last + 1))
unit_ms = unit * 1000.0 / 44100
ms = lambda n: n * 1000.0 / rate
dots, steps = [], []
for (a, b), (c, _) in zip(runs, runs[1:]):
    if unit_ms / 2 < ms(b - a) < 2 * unit_ms:
        dots.append(ms(b - a))
        if ms(c - b) < 2 * unit_ms:  # the gap inside a character
            steps.append(ms(c - a) / 2)
dot = statistics.median(steps)
print("tones %d, dot %.2f ms from %d dot-to-next starts (unit %.2f ms; dot tones measure %.2f ms)"
      % (len(runs), dot, len(steps), unit_ms, statistics.median(dots)))
if len(steps) < 10 or abs(dot - unit_ms) > 1.0:
    sys.exit("training: the dot length differs from the unit by more than 1 ms")
EOF
}

play_text 1 || play_text 2 || fail "the played text was not right twice"
whole_lines "$page_shot" || fail "see $page_shot"
echo "training ok"
