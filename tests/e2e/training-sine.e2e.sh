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
build=$1
here=$(cd "$(dirname "$0")" && pwd)
. "$here/lib.sh"
. "$here/../cli/morse_decode.sh"
work="$build/e2e/training-sine"
rm -rf "$work"
mkdir -p "$work"
fail() { echo "training-sine: $*"; exit 1; }

cli="$build/native/klaviro-cli"
[ -x "$cli" ] || fail "needs the native klaviro-cli in $build/native"
groups=4
text=$("$cli" text --kind letters --number 1 --groups $groups)
# Letters at 100 characters per minute and 44100 samples per second.
unit=$(awk 'BEGIN { printf "%d", 44100 * (60 / ((8.2307692307692 + 3.8) * 100)) }')
unit_ms=$(awk -v u="$unit" 'BEGIN { printf "%d", u * 1000 / 44100 }')

play_text() {
    local dir="$work/play$1" pid pacer capture got want
    e2e_copy_program "$build" "$dir"
    printf '\r\n[Default]\r\n\tToneShape\t=\t1\r\n' >"$dir/KLAVIRO.cfg"
    e2e_capture_start "$dir/home" "$dir/capture"
    (cd "$dir" && HOME="$dir/home" exec wine KLAVIRO.exe >wine.log 2>&1) &
    pid=$!
    e2e_wait_window KLAVIRO 90 >/dev/null || { kill "$pid"; return 1; }
    sleep 2
    # Тренировка, then Прием; on the page: fixed length (item 0 of the
    # length list), on to the groups field, Begin, Start.
    e2e_key KLAVIRO Tab Return
    sleep 1
    e2e_key KLAVIRO Return
    sleep 1.5
    e2e_key KLAVIRO Tab Tab Up
    e2e_key KLAVIRO Tab Tab Tab
    e2e_key KLAVIRO BackSpace $groups
    e2e_key KLAVIRO Return
    sleep 0.5
    e2e_key KLAVIRO Return
    # 3 s of start delay, 2.8 s of preamble, 12 s of text.
    sleep 21
    e2e_key KLAVIRO alt+F4 || true
    e2e_wait_exit "$pid" 30 || { echo "training-sine: KLAVIRO did not close"; return 1; }
    e2e_capture_stop "$dir/home"
    grep -aq $'^\tToneShape\t=\t1\r$' "$dir/KLAVIRO.cfg" || { echo "training-sine: ToneShape not kept"; return 1; }

    capture=$(ls -S "$dir"/capture.*.wav | head -n 1)
    got=$(MORSE_FILTER="sinc 600-1100" morse_decode "$unit_ms" "$capture" | tr -d ' ')
    want=$(morse_expected "V V V   =   ${text}AR" | tr -d ' ')
    echo "play$1: decoded \"$got\""
    [ "$got" = "$want" ] || { echo "training-sine: sent \"$want\""; return 1; }
}

play_text 1 || play_text 2 || fail "the played text was not right twice"
echo "training-sine ok"
