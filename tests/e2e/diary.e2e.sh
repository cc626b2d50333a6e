#!/usr/bin/env bash
# A trainee's day, with the keyboard: a training text played with the text
# hidden (no character in the text box while it sounds), a copy with three
# wrong letters typed into the copy field and checked with Ctrl+Enter (the
# text comes back, the diary gets the row with the three confusions); then
# the diary page over 30 days of earlier checks, kept as a screenshot.
set -eu
. "$(dirname "$0")/lib.sh"
e2e_begin diary "$1"
e2e_need_cli
text=$("$cli" text --kind letters --number 1 --groups 2)
# Three letters changed: the first, the eighth and the last.
copy=$(python3 -c 'import sys; t = sys.argv[1].replace(" ", ""); c = list(t)
c[0] = "A" if t[0] != "A" else "B"; c[7] = "X" if t[7] != "X" else "Y"; c[9] = "Z" if t[9] != "Z" else "Y"
print("".join(c[:5]) + " " + "".join(c[5:]))' "$text")

# Text-coloured (green) pixels inside the text box (the black area under the
# middle of the window) of a screenshot.
text_pixels() {
    python3 - "$1" <<'EOF'
import subprocess, sys
ppm = subprocess.run(["convert", sys.argv[1], "-depth", "8", "ppm:-"], capture_output=True, check=True).stdout
head = ppm.split(b"\n", 3)
w, h = map(int, head[1].split())
px = head[3]
at = lambda x, y: px[3 * (y * w + x) : 3 * (y * w + x) + 3]
y0 = next(y for y in range(100, h) if at(w // 2, y) == b"\0\0\0")
x0 = next(x for x in range(w // 2, -1, -1) if at(x, y0 + 1) != b"\0\0\0") + 1
x1 = next(x for x in range(w // 2, w) if at(x, y0 + 1) != b"\0\0\0")
y1 = next((y for y in range(y0, h) if at(x0 + 1, y) != b"\0\0\0"), h)
green = lambda p: p[1] > 64 and p[0] < 64 and p[2] < 64
print(sum(1 for y in range(y0, y1) for x in range(x0, x1) if green(at(x, y))))
EOF
}

e2e_copy_program "$build" "$work"
printf '[Default]\r\nHideText=1\r\n' >"$work/KLAVIRO.cfg"
e2e_sound_file "$work/home" "$work/capture.wav"
e2e_start_program "$work" "$work/home" || exit 1
trap 'kill $pid 2>/dev/null || true' EXIT
e2e_to_training_page
e2e_start_training 2
sleep 1 # within the start delay: the text sounds, hidden
e2e_screenshot "$work/hidden.png"
hidden=$(text_pixels "$work/hidden.png")
e2e_key KLAVIRO Insert # to the copy field
xdotool type --delay 30 "$copy"
before=$(e2e_screen_sum)
e2e_key KLAVIRO ctrl+Return
e2e_wait_still "$before" || true
e2e_screenshot "$work/checked.png"
shown=$(text_pixels "$work/checked.png")
echo "text pixels while hidden: $hidden, after the check: $shown"
[ "$hidden" -eq 0 ] || fail "the hidden text shows in $work/hidden.png"
[ "$shown" -gt 100 ] || fail "the text did not come back after the check: $work/checked.png"
e2e_close_program || fail "KLAVIRO did not close"

[ -f "$work/Diary.csv" ] || fail "no Diary.csv beside the portable copy"
row=$(tail -n 1 "$work/Diary.csv" | tr -d '\r')
echo "diary row: $row"
python3 - "$row" "$text" "$copy" <<'EOF' || fail "the diary row is not the check"
import sys
cells = sys.argv[1].split(";")
text = sys.argv[2].replace(" ", "")
copy = sys.argv[3].replace(" ", "")
want = " ".join("%s>%s:1" % (text[i], copy[i]) for i in (0, 7, 9))
got = dict(kind=cells[1], number=cells[3], groups=cells[4], errors=cells[8], confusions=cells[10])
expected = dict(kind="letters", number="1", groups="2", errors="3", confusions=want)
if got != expected:
    sys.exit("diary: %r, expected %r" % (got, expected))
EOF

# Thirty earlier days of checks, one a day, speeds rising, then the diary page.
python3 - "$work/Diary.csv" <<'EOF'
import datetime, sys
path = sys.argv[1]
today = datetime.date.today()
rows = []
for d in range(30, 0, -1):
    day = today - datetime.timedelta(days=d)
    speed = 80 + 3 * (30 - d)
    errors = d % 4
    rows.append("%s 18:00:00;letters;training;%d;20;%d;square;100;%d;yes;Q>Y:%d;copy\r\n"
                % (day.isoformat(), d, speed, errors, errors))
with open(path, "r", encoding="utf-8-sig", newline="") as f:
    lines = f.readlines()
with open(path, "w", encoding="utf-8-sig", newline="") as f:
    f.write(lines[0])
    f.writelines(rows)
    f.writelines(lines[1:])
EOF
e2e_start_program "$work" "$work/home" || exit 1
e2e_press KLAVIRO Tab Return # Тренировка
before=$(e2e_screen_sum)
e2e_key KLAVIRO Tab Tab Return # Дневник, under Передача
e2e_wait_still "$before" || fail "the diary page did not show"
e2e_screenshot "$build/diary-page.png"
e2e_press KLAVIRO Escape # back to the training menu
e2e_close_program || fail "KLAVIRO did not close"
echo "diary ok (the page with 31 days: $build/diary-page.png)"
