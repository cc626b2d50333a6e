#!/usr/bin/env bash
# The sound settings page's Test with the real player, driven with the
# keyboard: start delay 0 and frequency 5000 typed in, Test. The test text is
# played at 850 Hz (5000 is out of range) and decodes to itself; a second
# Test, left with Esc after a few seconds, stops sounding when the page goes,
# and what was typed but not applied is not stored.
set -eu
. "$(dirname "$0")/lib.sh"
e2e_begin training-sound "$1"

dir="$work/run"
e2e_copy_program "$build" "$dir"
e2e_start_program "$dir" "$dir/home" capture || exit 1
trap 'kill $pid 2>/dev/null || true; e2e_end_capture' EXIT

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
e2e_close_program || exit 1
trap - EXIT

# One capture per device opening: the page opens a player for each Test.
full="$dir/home/capture.0.wav"
left="$dir/home/capture.1.wav"
[ -s "$full" ] && [ -s "$left" ] || fail "expected two captures: $(ls "$dir/home")"
e2e_check_decoded training-sound $((4398 * 1000 / 44100)) "$full" "V V V   =   H E L L O   W O R L D   AR" ||
    fail "the test text did not decode"
# At 850 Hz (5000 is out of range), with no start delay; the second test
# ends when the page goes.
python3 "$here/sound_capture.py" check "$full" --hz 850 --first-before 0.6 || fail "the first test"
python3 "$here/sound_capture.py" check "$left" --end-between 3.0 5.5 ||
    fail "leaving the page did not end the sound"
# Left with Esc (Cancel): the typed delay was tried, never stored.
grep -aq $'^\tStartDelay\t=\t3\r$' "$dir/KLAVIRO.cfg" || fail "an unapplied start delay was stored"
echo "training-sound ok"
