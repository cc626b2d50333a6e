#!/usr/bin/env bash
# The real Morse player under Wine, with ALSA's file plugin as the sound card:
# the sound settings page's test text decodes back to itself with both buffer
# schemes, pause and resume continue the text, destroy stops a tone at once,
# players come and go without leaks, and with no sound card the player fails.
#
# Two things of the captured sound are Wine's, not the player's: on a loaded
# machine its mixer can run dry and insert a few tens of milliseconds of
# silence (so a scenario whose decoding fails is run once more), and it turns
# the 0x7F bytes after the end of a text into a brief burst, which a band-pass
# around the tone keeps away from the decoder.
set -eu
. "$(dirname "$0")/lib.sh"
e2e_begin player "$1"
exe="$build/win/tests/klaviro_win_tests.exe"
hello_text="V V V   =   H E L L O   W O R L D   AR"

# run_player <name> <KLAVIRO_SOUND> <gtest filter> [VAR=value...]: runs the
# tests in a HOME of their own; with "capture" the sound goes through a pipe
# read at real time into $work/<name>/capture.<n>.wav.
run_player() {
    local name=$1 mode=$2 filter=$3 home="$work/$1" status=0
    shift 3
    rm -rf "$home"
    mkdir -p "$home"
    e2e_home=$home
    pacer=""
    if [ "$mode" = capture ]; then
        e2e_capture_start "$home" "$home/capture"
    fi
    env HOME="$home" KLAVIRO_SOUND="$mode" KLAVIRO_PLAYER_LOG="$(winepath -w "$home/log.txt")" "$@" \
        wine "$exe" --gtest_brief=1 --gtest_filter="$filter" >"$home/out.txt" 2>&1 || status=$?
    e2e_end_capture
    if [ $status -ne 0 ] || grep -q SKIPPED "$home/out.txt"; then
        grep -v '^ALSA lib' "$home/out.txt"
        echo "player: $name: the tests did not all run and pass"
        return 1
    fi
}

capture_of() { e2e_longest "$work/$1/capture"; }
logged() { tr -d '\r' <"$work/$1/log.txt" | sed -n "s/^$2=//p"; }
tones() { python3 "$here/sound_capture.py" tones "$1"; }

# attempt <scenario> <args...>: runs it, and once more if it fails.
attempt() {
    "$@" && return 0
    echo "player: $1 failed once, running it again"
    "$@" || fail "$1 failed twice"
}

# The test text at the page's settings (50 characters per minute, 3 s delay,
# buffer scheme 0, square wave), or at another speed, delay, scheme and tone
# shape (1: the shaped sine). The test compares what the player put into its
# buffer with the stream; Wine's mixer (8.0) plays a 16-bit mono buffer
# clipped, so the capture shows the timing but not the shape.
hello() {
    local name=$1 type=$2 speed=$3 delay=$4 shape=${5:-0} file first
    run_player "$name" capture 'MorsePlayerTest.PlaysTheSoundTestText' \
        KLAVIRO_SOUND_TYPE="$type" KLAVIRO_SPEED="$speed" KLAVIRO_DELAY="$delay" KLAVIRO_TONE_SHAPE="$shape" ||
        return 1
    file=$(capture_of "$name")
    e2e_check_decoded "$name" "$(logged "$name" unit_ms)" "$file" "$hello_text" || return 1
    first=$(tones "$file" | sed -n 's/^first=\([0-9]*\).*/\1/p')
    echo "$name: first tone at $first ms of the capture, played in $(logged "$name" play_ms) ms"
    [ "$first" -ge $((delay * 1000)) ] && [ "$first" -le $((delay * 1000 + 600)) ] ||
        { echo "player: $name: first tone at $first ms"; return 1; }
}

# Pause and resume: the longest silence is the pause; without it the capture
# still decodes to the whole text, so nothing was lost or repeated.
pause_resume() {
    local file pause_ms unit_ms longest at length natural keep units d d0 got
    run_player pause capture 'MorsePlayerTest.PauseAndResume*' || return 1
    file=$(capture_of pause)
    pause_ms=$(logged pause pause_ms)
    unit_ms=$(logged pause unit_ms)
    longest=$(tones "$file" | sed -n 's/^gap=//p' | sort -t, -k2 -n | tail -n 1)
    at=${longest%,*}
    length=${longest#*,}
    echo "pause: $pause_ms ms paused, longest silence $length ms at $at ms"
    # The thread stops the buffer at its next wake-up, up to a segment
    # (62 ms) after pause(true): take half of that off.
    natural=$((length - pause_ms + 31))
    [ "$natural" -ge -100 ] && [ "$natural" -le $((7 * unit_ms + 100)) ] ||
        { echo "player: pause: silence of $length ms"; return 1; }
    # What is left is the gap that was there anyway: none (paused in a tone)
    # or one of the Morse gaps of 1, 3 or 7 units.
    keep=0
    for units in 1 3 7; do
        d=$((natural - units * unit_ms))
        d0=$((natural - keep))
        [ ${d#-} -lt ${d0#-} ] && keep=$((units * unit_ms))
    done
    python3 "$here/sound_capture.py" splice "$file" "$work/pause/spliced.wav" "$at" "$length" "$keep"
    got=$(MORSE_FILTER="sinc 450-950" morse_decode "$unit_ms" "$work/pause/spliced.wav")
    [ "$got" = "PARIS" ] || { echo "player: pause: decoded \"$got\" with the pause cut out"; return 1; }
}

# Late wake-ups of the playback thread with both buffer schemes: the test
# checks the order of the fills; both captures decode to the text.
late() {
    local file type got="" want
    run_player late capture 'MorsePlayerTest.LateWakeUps*:MorsePlayerTest.LostBuffer*' || return 1
    for type in 0 1; do
        echo "late$type: $(logged late merged_$type) merged wake-ups," \
            "$(logged late filled_under_cursor_$type) segments filled under the cursor"
    done
    # Wine opens the sound card once per player, or keeps it open from one
    # player to the next: the captures in their order hold scheme 0's text,
    # then scheme 1's, then the lost buffer's short sound.
    for file in $(ls "$work/late"/capture.*.wav | sort -V); do
        got="$got $(MORSE_FILTER="sinc 600-1100" morse_decode "$(logged late unit_ms)" "$file")"
    done
    got=$(echo $got)
    want=$(morse_expected "$hello_text")
    echo "late: decoded \"$got\""
    case "$got" in
    "$want $want"*) ;;
    *) echo "late: sent \"$want\" with each scheme"; return 1 ;;
    esac
}

# Destroy in the middle of a long tone: the tone lasts no longer than the
# time it was allowed to play plus about 100 ms.
destroy() {
    local file spans first last played over
    run_player destroy capture 'MorsePlayerTest.DestroyWhilePlaying*' || return 1
    file=$(capture_of destroy)
    spans=$(tones "$file")
    first=$(echo "$spans" | sed -n 's/^first=\([0-9]*\) last=.*/\1/p')
    last=$(echo "$spans" | sed -n 's/^first=[0-9]* last=\([0-9]*\)/\1/p')
    played=$(logged destroy played_ms)
    over=$((last - first - played))
    echo "destroy: tone of $((last - first)) ms for $played ms of playing, destroy took $(logged destroy destroy_ms) ms"
    [ "$over" -ge -50 ] && [ "$over" -le 150 ] || { echo "player: destroy: the tone went on $over ms"; return 1; }
    ! echo "$spans" | grep -q '^gap=' || { echo "player: destroy: the tone was interrupted: $spans"; return 1; }
}

# No sound card: DirectSoundCreate fails and failed() says so; the life cycle
# still leaks nothing.
run_player none none 'MorsePlayerTest.FailsWithoutSoundCard:MorsePlayerTest.TwoHundred*' || fail "no sound card"
[ "$(logged none cycles_working)" = 0 ] || fail "players worked without a sound card"

attempt hello hello0 0 50 3
attempt hello hello1 1 100 0
attempt hello hello_sine 0 100 0 1
attempt pause_resume
attempt late
attempt destroy

# Buffer calls made to fail, and a playback thread stuck past start's wait:
# each makes the player failed.
run_player failures capture 'MorsePlayerTest.FailedBufferCalls*:MorsePlayerTest.StartGivesUp*' || fail "failures"

# A sender's keying played back: the recorded samples go into the buffer as
# they are, in both shapes.
run_player recorded capture 'MorsePlayerTest.PlaysRecordedSamplesAsTheyAre' || fail "recorded samples"

# Two hundred working players, created and destroyed.
run_player cycles capture 'MorsePlayerTest.TwoHundred*' || fail "cycles"
[ "$(logged cycles cycles_working)" = 200 ] || fail "cycles: $(logged cycles cycles_working) of 200 players worked"
echo "player ok"
