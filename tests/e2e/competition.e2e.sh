#!/usr/bin/env bash
# A real competition run, keyed in as an operator would: figures from 100
# characters per minute with no pause. The sound goes to ALSA's file plugin;
# an independent decoder must hear the preamble for 100, exactly the text
# the control-text file holds under 100, and AR.
set -eu
. "$(dirname "$0")/lib.sh"
e2e_begin competition "$1"
dir=$work
e2e_program_in_work sound
e2e_to_competition_options
# Options: kind list down to figures, interval list to its first item (0),
# Enter for Next, then Enter for Start on the run page.
e2e_key KLAVIRO Down
sleep 0.3
e2e_key KLAVIRO Tab Tab Home
sleep 0.5
e2e_key KLAVIRO Return
sleep 2
e2e_key KLAVIRO Return

# With no pause the second text is written as soon as the first has been
# played to its end.
for i in $(seq 1 200); do
    grep -q $'^110\r$' Digits.txt 2>/dev/null && break
    sleep 1
done
grep -q $'^110\r$' Digits.txt || { e2e_screenshot "$dir/run.png"; fail "the second text never started"; }
e2e_screenshot "$dir/run.png"
e2e_key KLAVIRO Escape # Stop
sleep 1
e2e_close_program || exit 1
trap - EXIT

# The first block: "100", an empty line, the text in lines, an empty line.
text=$(awk 'BEGIN { RS = "\r\n" } NR == 1 { if ($0 != "100") exit 1; next } NR == 2 { next } $0 == "" { exit } { printf "%s", $0 }' Digits.txt) ||
    { echo "Digits.txt does not start with the 100 block"; head -3 Digits.txt | od -c | head; exit 1; }
figures=$(printf '%s' "$text" | tr -cd '0-9' | wc -c)
[ "$figures" -eq 100 ] || { echo "the first text holds $figures figures"; exit 1; }

dit=$(awk 'BEGIN { printf "%d", 60000 / ((14.0 + 3.8) * 100) }')
got=$(morse_decode "$dit" capture.wav)
want=$(morse_expected "0 0 0 0 0   1 0 0   V V V   =   ${text}AR")
# What follows AR belongs to the end of the player's output and to the next
# text; this test is about the first text.
case "$got" in
"$want"*) ;;
*)
    echo "decoded: $got"
    echo "wanted:  $want"
    exit 1
    ;;
esac
echo "competition ok: $want"
