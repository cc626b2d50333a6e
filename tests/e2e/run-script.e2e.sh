#!/usr/bin/env bash
# tools/run.sh on a desktop that already has a display and no Russian locale
# in the environment: the main menu it shows must be the one KLAVIRO shows
# in the test session, whose Wine runs with code page 1251. Compared on the
# column of buttons, where wrong code pages show as other letters.
set -eu
build=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
. "$here/lib.sh"
dir="$build/e2e/run-script"
e2e_copy_program "$build" "$dir"
cd "$dir"

buttons() { convert "$1" -crop 640x1024+0+0 +repage "$2"; }
# From the first button down to the exit button, the eighth.
leave() {
    for i in 1 2 3 4 5 6 7; do e2e_key KLAVIRO Down; sleep 0.3; done
    e2e_key KLAVIRO Return
}

wine KLAVIRO.exe &
pid=$!
trap 'kill $pid 2>/dev/null || true' EXIT
e2e_wait_window KLAVIRO 90 >/dev/null || { echo "no KLAVIRO window"; exit 1; }
sleep 2
e2e_screenshot session.png
leave
e2e_wait_exit $pid 30 || { echo "the session's KLAVIRO did not end"; exit 1; }
trap - EXIT

# The run script's program folder is the Windows build; keep what is there.
config="$root/build/win/KLAVIRO.cfg"
saved=""
if [ -f "$config" ]; then
    saved="$dir/KLAVIRO.cfg.before"
    cp "$config" "$saved"
fi
restore() {
    if [ -n "$saved" ]; then cp "$saved" "$config"; else rm -f "$config"; fi
}

# A desktop's environment: its display, no Wine settings, no Russian locale,
# and the plain wine.
plain_path=$(printf '%s' "$PATH" | tr ':' '\n' | grep -vxF "$build/wine-bin" | paste -sd:)
setsid env -i HOME="$HOME" PATH="$plain_path" DISPLAY="$DISPLAY" LANG=C.UTF-8 \
    bash "$root/tools/run.sh" >run.log 2>&1 &
group=$!
trap 'kill -- -$group 2>/dev/null || true; restore' EXIT
e2e_wait_window KLAVIRO 300 >/dev/null || { echo "no KLAVIRO window from tools/run.sh"; cat run.log; exit 1; }
sleep 2
e2e_screenshot "$build/run-script.png"
buttons session.png a.png
buttons "$build/run-script.png" b.png
differing=$(compare -metric AE a.png b.png null: 2>&1 || true)
leave
code=0
e2e_wait_exit $group 60 || code=$?
[ "$differing" = "0" ] || { echo "tools/run.sh shows other texts: $differing pixels differ"; exit 1; }
[ "$code" -eq 0 ] || { echo "tools/run.sh ended with $code"; cat run.log; exit 1; }
echo "run script ok"
