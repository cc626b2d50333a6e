#!/usr/bin/env bash
# A run's Letters.txt (two texts, at 200 and 210 characters per minute)
# played on the player page, keyed in as an operator would, with the sound
# captured: an independent decoder must hear each text's preamble, the text
# and AR, in order. klaviro-cli wav --control of the same file decodes the
# same way.
set -eu
. "$(dirname "$0")/lib.sh"
e2e_begin replay "$1"
e2e_need_cli

dir="$work/run"
e2e_copy_program "$build" "$dir"
# The file as a run writes it (short texts): the speed, an empty line, the
# text in lines (here of 24 characters), an empty line; CR LF.
t1=$("$cli" text --kind letters --series competition --number 4711 --groups 3)
t2=$("$cli" text --kind letters --series competition --number 4712 --groups 2)
printf '200\r\n\r\n%s\r\n%s\r\n\r\n210\r\n\r\n%s\r\n\r\n' "${t1:0:24}" "${t1:24}" "$t2" >"$dir/Letters.txt"
want="$(morse_expected "O O O O O   2 0 0   V V V   =   ${t1}AR") $(morse_expected "O O O O O   2 1 0   V V V   =   ${t2}AR")"

# play_on_page <n>: one run of the page with the sound captured into
# $dir/home<n>; prints what the decoder heard.
play_on_page() {
    local home="$dir/home$1" got="" part f
    e2e_start_program "$dir" "$home" capture || exit 1
    trap 'kill $pid 2>/dev/null || true; e2e_end_capture' EXIT
    # Main menu: Проигрыватель is the fifth button. The page opens with the
    # run's default file read and its first control, Back, focused; the one
    # before it is the pause, whose first item is 0 s.
    e2e_key KLAVIRO Tab Tab Tab Tab Return
    sleep 2
    e2e_key KLAVIRO shift+Tab Home
    sleep 0.5
    e2e_screenshot "$home/ready.png"
    e2e_key KLAVIRO Return
    # 3 s delay, 15 letters with the preamble at 200 (about 10 s), 3 s
    # delay, 10 letters at 210 (about 7 s).
    sleep 30
    e2e_screenshot "$home/played.png"
    e2e_key KLAVIRO Escape Escape
    sleep 1
    e2e_close_program || exit 1
    trap - EXIT
    # Each device opening is a capture of its own; their decodings in order.
    for f in $(ls "$home"/capture.*.wav | sort -t. -k2 -n); do
        part=$(MORSE_FILTER="sinc 600-1100" morse_decode 24 "$f")
        [ -n "$part" ] && got="${got:+$got }$part"
    done
    echo "$got"
}

# Wine's mixer can run dry on a loaded machine and cut a tone in two, so a
# run that does not decode is played again, up to three times.
for attempt in 1 2 3; do
    got=$(play_on_page $attempt)
    echo "page decoded \"$got\""
    [ "$got" = "$want" ] && break
    [ $attempt -lt 3 ] || fail "the page sent \"$want\""
    echo "replay: the page sent \"$want\"; playing again"
done

"$cli" wav --control "$dir/Letters.txt" --interval 0 --out "$work/cli.wav" >/dev/null
got=$(morse_decode 24 "$work/cli.wav")
[ "$got" = "$want" ] || fail "klaviro-cli wav --control decoded \"$got\""
echo "replay ok: $want"
