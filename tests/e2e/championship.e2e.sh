#!/usr/bin/env bash
# A championship from the command line: a roster of 12 in code page 1251
# imported, the start numbers drawn, 36 copies marked from a folder, and the
# sheet printed by a real browser (headless Chromium) with one category per
# page; the sheet's screenshot is kept as championship-sheet.png in the build
# folder.
set -eu
. "$(dirname "$0")/lib.sh"
e2e_begin championship "$1"
e2e_need_cli
command -v chromium >/dev/null || fail "needs chromium"
cd "$work"

# Four youngsters, four women, four veterans; the header and names in 1251.
{
    printf '\xd4\xc8\xce;\xcf\xee\xeb;\xc3\xee\xe4 \xf0\xee\xe6\xe4\xe5\xed\xe8\xff;\xca\xeb\xf3\xe1\r\n'
    for k in 1 2 3 4; do printf 'Boy %s;M;2012;Club %s\r\n' "$k" "$k"; done
    for k in 1 2 3 4; do printf 'Woman %s;\xc6;1990;"Club ""%s""; &"\r\n' "$k" "$k"; done
    for k in 1 2 3 4; do printf 'Veteran %s;M;1950;<b>Club</b>\r\n' "$k"; done
} >roster.csv
"$cli" roster Competition.csv --import roster.csv --title 'Championship <2026>' --venue Tver \
    --first-day 2026-03-12 --last-day 2026-03-14 >/dev/null 2>import.txt
grep -q '^12 added, 0 updated, 0 lines not taken' import.txt || fail "import: $(cat import.txt)"
"$cli" draw Competition.csv --seed 2026 --html start.html --order category 2>/dev/null
"$cli" draw Competition.csv --seed 2026 >draw1.txt
"$cli" draw Competition.csv --seed 2026 >draw2.txt
cmp -s draw1.txt draw2.txt || fail "the seed did not repeat the draw"

# Control texts at 200 and a copy per participant and discipline; the k-th
# participant of a category makes k-1 errors in letters.
mkdir texts copies
printf '200\r\n\r\nABCDE FGHIJ KLMNO PQRST\r\n\r\n' >texts/Letters_1.txt
printf '200\r\n\r\n12345 67890 13579 24680\r\n\r\n' >texts/Digits_1.txt
printf '200\r\n\r\nA1B2C D3E4F G5H6I J7K8L\r\n\r\n' >texts/Mixed_1.txt
"$cli" roster --json Competition.csv | python3 -c '
import json, sys
roster = json.load(sys.stdin)["roster"]
wrong = {}
for e in roster:
    k = int(e["name"].split()[-1]) - 1
    n = e["number"]
    open("copies/%d_letters_200.txt" % n, "w").write("abcde fghij klmno pqrst"[: 23 - k] + "x" * k)
    open("copies/%d_F_200.txt" % n, "w").write("12345 67890 13579 24680")
    open("copies/%d_m_200.txt" % n, "w").write("a1b2c d3e4f g5h6i j7k8l")
'
"$cli" mark --folder copies --control-folder texts --competition Competition.csv --results Results.csv >marked.txt ||
    fail "mark --folder: $(cat marked.txt)"
[ "$(grep -c ': marked (' marked.txt)" -eq 36 ] || fail "not 36 marked: $(cat marked.txt)"

# The sheet: three categories and the whole field, each on a printed page.
"$cli" results Results.csv --competition Competition.csv --html sheet.html
grep -q '<h1>Championship &lt;2026&gt;</h1>' sheet.html || fail "title"
grep -q '12.03.2026 – 14.03.2026' sheet.html || fail "dates"
grep -q "<td>Club &quot;1&quot;; &amp;</td>" sheet.html || fail "a quoted club"
grep -q '&lt;b&gt;Club&lt;/b&gt;' sheet.html || fail "a club is not escaped"
# Veteran 4: 3 errors, 197 of the best 200: 98.50 points in letters.
grep -q '<td>Veteran 4</td><td>&lt;b&gt;Club&lt;/b&gt;</td><td class="n">98.50</td>' sheet.html ||
    fail "Veteran 4's points"
timeout 120 chromium --headless --no-sandbox --disable-gpu --no-pdf-header-footer \
    --print-to-pdf="$work/sheet.pdf" "file://$work/sheet.html" 2>/dev/null
timeout 120 chromium --headless --no-sandbox --disable-gpu --window-size=1000,1400 \
    --screenshot="$build/championship-sheet.png" "file://$work/sheet.html" 2>/dev/null
# The first category follows the title on page 1; every other one, and the
# whole field, opens a page of its own (a long one may run on to the next).
# Category names stand in the tables too, so only a page's first line tells.
pages=$(pdfinfo sheet.pdf | awk '/^Pages:/ { print $2 }')
opened=
for page in $(seq 2 "$pages"); do
    first=$(pdftotext -f "$page" -l "$page" sheet.pdf - | grep -m1 .)
    case "$first" in Юноши | Женщины | Ветераны-мужчины | 'Абсолютный зачет') opened="$opened$first;" ;; esac
done
[ "$opened" = 'Женщины;Ветераны-мужчины;Абсолютный зачет;' ] || fail "pages opened by: $opened"
pdftotext -f 1 -l 1 sheet.pdf - | grep -qx 'Юноши' || fail "page 1 lacks the first category"
[ -s "$build/championship-sheet.png" ] || fail "no screenshot"
echo "championship ok"
