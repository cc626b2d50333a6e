#!/usr/bin/env bash
# A run's Letters.txt (two texts, at 200 and 210 characters per minute)
# played on the player page, keyed in as an operator would, with the sound
# captured: an independent decoder must hear each text's preamble, the text
# and AR, in order. klaviro-cli wav --control of the same file decodes the
# same way.
set -eu
build=$1
here=$(cd "$(dirname "$0")" && pwd)
. "$here/lib.sh"
. "$here/../cli/morse_decode.sh"
work="$build/e2e/replay"
rm -rf "$work"
mkdir -p "$work"
fail() { echo "replay: $*"; exit 1; }
cli="$build/native/klaviro-cli"
[ -x "$cli" ] || fail "needs the native klaviro-cli in $build/native"

dir="$work/run"
e2e_copy_program "$build" "$dir"
# The file as a run writes it: the speed, an empty line, the text in lines of
# 60 characters, an empty line; CR LF.
t1=$("$cli" text --kind letters --series competition --number 4711 --groups 6)
t2=$("$cli" text --kind letters --series competition --number 4712 --groups 4)
printf '200\r\n\r\n%s\r\n%s\r\n\r\n210\r\n\r\n%s\r\n\r\n' "${t1:0:60}" "${t1:60}" "$t2" >"$dir/Letters.txt"
want="$(morse_expected "O O O O O   2 0 0   V V V   =   ${t1}AR") $(morse_expected "O O O O O   2 1 0   V V V   =   ${t2}AR")"

mkdir -p "$dir/home"
mkfifo "$dir/home/fifo"
printf 'pcm.!default {\n  type file\n  slave.pcm "null"\n  file "%s"\n  format "wav"\n}\n' \
    "$dir/home/fifo" >"$dir/home/.asoundrc"
python3 "$here/sound_capture.py" pace "$dir/home/fifo" "$dir/capture" &
pacer=$!
(cd "$dir" && HOME="$dir/home" exec wine KLAVIRO.exe >wine.log 2>&1) &
pid=$!
trap 'kill $pid 2>/dev/null || true; touch "$dir/home/fifo.stop"' EXIT
e2e_wait_window KLAVIRO 90 >/dev/null || fail "no KLAVIRO window"
sleep 2

# Main menu: Проигрыватель is the fifth button. The page opens with the run's
# default file read; Enter starts it with the pause of 60 s between texts.
e2e_key KLAVIRO Tab Tab Tab Tab Return
sleep 2
e2e_screenshot "$dir/ready.png"
e2e_key KLAVIRO Return
# 3 s delay, 30 letters with the preamble at 200 (about 15 s), 60 s pause,
# 3 s delay, 20 letters at 210 (about 11 s).
sleep 100
e2e_screenshot "$dir/played.png"
e2e_key KLAVIRO Escape Escape
sleep 1
e2e_key KLAVIRO alt+F4
e2e_wait_exit "$pid" 30 || fail "KLAVIRO did not close"
touch "$dir/home/fifo.stop"
wait "$pacer" || true
trap - EXIT

# Each device opening is a capture of its own; their decodings in order.
got=""
for f in $(ls "$dir"/capture.*.wav | sort -t. -k2 -n); do
    part=$(MORSE_FILTER="sinc 600-1100" morse_decode 24 "$f")
    [ -n "$part" ] && got="${got:+$got }$part"
done
echo "page decoded \"$got\""
[ "$got" = "$want" ] || fail "the page sent \"$want\""

"$cli" wav --control "$dir/Letters.txt" --interval 0 --out "$work/cli.wav" >/dev/null
got=$(morse_decode 24 "$work/cli.wav")
[ "$got" = "$want" ] || fail "klaviro-cli wav --control decoded \"$got\""
echo "replay ok: $want"
