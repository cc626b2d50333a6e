#!/usr/bin/env bash
# A competition from the first text to the results sheet: a real run writes
# Letters.txt; copies with known errors are marked through klaviro-cli into
# Results.csv; the ranking and the sheet follow; then the results page marks
# one more copy typed in by the referee, and the screenshot results-page.png
# (in the build folder) shows it with its errors highlighted.
set -eu
. "$(dirname "$0")/lib.sh"
e2e_begin results "$1"
e2e_need_cli
dir=$work
e2e_program_in_work sound
step() { e2e_key KLAVIRO "$@"; sleep 1.5; }
# Competitions, reception, Next (letters from 100), Start.
e2e_to_competition_options
step Return
step Return
for i in $(seq 1 30); do
    grep -q $'^100\r$' Letters.txt 2>/dev/null && break
    sleep 0.5
done
grep -q $'^100\r$' Letters.txt || { echo "the run wrote no Letters.txt"; e2e_screenshot "$dir/run.png"; exit 1; }
# Stop, then back to the options page and the competitions menu.
step Escape
step Escape
step Escape

# The copies: the text of 100 as sent, and copies with known errors.
text=$(awk 'BEGIN { RS = "\r\n" } NR == 1 { next } NR == 2 { next } $0 == "" { exit } { printf "%s", $0 }' Letters.txt)
letters=$(printf '%s' "$text" | tr -d ' ')
[ ${#letters} -eq 100 ] || { echo "the text of 100 holds ${#letters} letters"; exit 1; }
python3 - "$letters" <<'PY'
import sys
t = sys.argv[1]
other = lambda c: 'A' if c != 'A' else 'B'
def change(s, at):
    s = list(s)
    for k in at:
        s[k] = other(s[k])
    return ''.join(s)
groups = lambda s: ' '.join(s[k:k + 5] for k in range(0, len(s), 5))
open('anna.txt', 'w').write(groups(t).lower() + '\n')                 # 0 errors
open('boris.txt', 'w').write(groups(change(t, [0, 50])))               # 2
open('clara.txt', 'w').write(groups(t[:5] + t[10:]).replace(' ', '\n'))  # 5: a missing group
open('dmitri.txt', 'w').write(groups(change(t, range(10, 80, 10))))    # 7: not accepted
PY
for who in anna boris clara dmitri; do
    name=$(printf '%s' "$who" | sed 's/./\u&/')
    "$cli" mark --control Letters.txt --speed 100 --participant "$name" --results Results.csv "$who.txt" >/dev/null
done
json=$("$cli" results --json Results.csv)
want='{"disciplines": {"letters": [{"rank": 1, "participant": "Anna", "speed": 100, "errors": 0, "result": 100}, {"rank": 2, "participant": "Boris", "speed": 100, "errors": 2, "result": 98}, {"rank": 3, "participant": "Clara", "speed": 100, "errors": 5, "result": 95}, {"rank": null, "participant": "Dmitri", "speed": null, "errors": null, "result": null}], "figures": [], "mixed": []}, "overall": [{"rank": 1, "participant": "Anna", "points": 100}, {"rank": 2, "participant": "Boris", "points": 98}, {"rank": 3, "participant": "Clara", "points": 95}, {"rank": null, "participant": "Dmitri", "points": 0}]}'
[ "$json" = "$want" ] || { echo "ranking: $json"; exit 1; }

# The results page (the fourth button of the competitions menu): the speed
# has the focus; then the name, and the copy with its first letter wrong and
# its fiftieth missing, typed on two lines (Enter in the copy field is a new
# line) and marked with Ctrl+Enter.
step Down Down Down
step Return
copy=$(printf '%s' "$letters" | sed 's/^./#/')
copy="${copy:0:49}${copy:50}"
xdotool type --delay 30 "100"
e2e_key KLAVIRO Tab
xdotool type --delay 30 "Eva"
e2e_key KLAVIRO Tab Tab
xdotool type --delay 20 "${copy:0:30}"
e2e_key KLAVIRO Return
xdotool type --delay 20 "${copy:30}"
sleep 0.5
step ctrl+Return
e2e_screenshot "$build/results-page.png"
grep -q $'^Eva;letters;100;2;"' Results.csv ||
    { echo "the page stored no mark for Eva"; cat Results.csv; exit 1; }

"$cli" results --html sheet.html Results.csv
for id in letters figures mixed overall; do
    grep -q "<table class=\"[a-z]*\" id=\"$id\">" sheet.html || { echo "no $id table in the sheet"; exit 1; }
done
grep -q '<td>Eva</td>' sheet.html || { echo "Eva is not on the sheet"; exit 1; }

e2e_close_program || exit 1
trap - EXIT
echo "results ok"
