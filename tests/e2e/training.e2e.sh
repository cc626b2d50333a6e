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
. "$(dirname "$0")/lib.sh"
e2e_begin training "$1"
e2e_need_cli
groups=4
text=$("$cli" text --kind letters --number 1 --groups $groups)
unit=2199 # samples: letters at 100 a minute, 44100 samples a second
unit_ms=$((unit * 1000 / 44100))

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
    local dir="$work/play$1" silver geometry capture
    e2e_copy_program "$build" "$dir"
    e2e_start_program "$dir" "$dir/home" capture || return 1
    e2e_to_training_page
    # The page's own text, before the length changes: whole lines.
    e2e_screenshot "$dir/page.png"
    page_shot="$dir/page.png"
    e2e_start_training $groups
    # 3 s of start delay and 2.8 s of preamble, then 12 s of text.
    sleep 10
    e2e_screenshot "$dir/playing.png"
    geometry=$(xdotool getwindowgeometry "$(e2e_wait_window KLAVIRO 5)" | awk '/Geometry/ {print $2}')
    silver=$(silver_pixels "$dir/playing.png" "${geometry%x*}" "${geometry#*x}")
    sleep 11
    e2e_close_program || return 1
    echo "play$1: $silver highlighted pixels in the text box while playing"
    [ "$silver" -gt 50 ] || { echo "training: no highlighted group in $dir/playing.png"; return 1; }

    capture=$(e2e_longest "$dir/home/capture")
    e2e_check_decoded --no-blanks "play$1" "$unit_ms" "$capture" "V V V   =   ${text}AR" || return 1
    python3 "$here/sound_capture.py" dot "$capture" "$unit"
}

play_text 1 || play_text 2 || fail "the played text was not right twice"
whole_lines "$page_shot" || fail "see $page_shot"
echo "training ok"
