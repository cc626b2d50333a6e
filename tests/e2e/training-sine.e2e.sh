#!/usr/bin/env bash
# A training text played with the shaped sine ([Default] ToneShape = 1), as
# the trainee plays one with the keyboard: fixed length of four groups,
# Begin, Start. The captured sound decodes with an independent decoder into
# the preamble, the text shown and AR. (Wine's mixer plays the 16-bit buffer
# clipped, so the shape itself is checked on the buffer by the player test.)
#
# Wine's mixer can run dry on a loaded machine and insert a little silence,
# so a run whose sound does not decode is made once more.
set -eu
. "$(dirname "$0")/lib.sh"
e2e_begin training-sine "$1"
e2e_need_cli
groups=4
text=$("$cli" text --kind letters --number 1 --groups $groups)
unit_ms=49 # letters at 100 a minute: 2199 samples at 44100 a second

play_text() {
    local dir="$work/play$1"
    e2e_copy_program "$build" "$dir"
    printf '\r\n[Default]\r\n\tToneShape\t=\t1\r\n' >"$dir/KLAVIRO.cfg"
    e2e_start_program "$dir" "$dir/home" capture || return 1
    e2e_to_training_page
    e2e_start_training $groups
    # 3 s of start delay, 2.8 s of preamble, 12 s of text.
    sleep 21
    e2e_close_program || return 1
    grep -aq $'^\tToneShape\t=\t1\r$' "$dir/KLAVIRO.cfg" || { echo "training-sine: ToneShape not kept"; return 1; }
    e2e_check_decoded --no-blanks "play$1" "$unit_ms" "$(e2e_longest "$dir/home/capture")" "V V V   =   ${text}AR"
}

play_text 1 || play_text 2 || fail "the played text was not right twice"
echo "training-sine ok"
