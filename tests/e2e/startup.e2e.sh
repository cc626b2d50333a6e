#!/usr/bin/env bash
# KLAVIRO.exe starts maximised, closes on WM_CLOSE (Alt+F4) with exit code 0,
# and leaves its configuration file and the closing line of its temporary
# sound file behind.
set -eu
build=$1
here=$(cd "$(dirname "$0")" && pwd)
. "$here/lib.sh"
dir="$build/e2e/startup"
e2e_copy_program "$build" "$dir"
# Wine sets TEMP from its own registry; ask it where that is.
wintemp=$(wine cmd /c 'echo %TEMP%' | tr -d '\r')
temp=$(winepath -u "$wintemp")
rm -f "$temp/KLAVIRO.bsf"

cd "$dir"
wine KLAVIRO.exe &
pid=$!
win=$(e2e_wait_window KLAVIRO 90) || { echo "no KLAVIRO window"; kill $pid; exit 1; }
sleep 1
e2e_screenshot "$dir/startup.png"
geometry=$(xdotool getwindowgeometry "$win" | awk '/Geometry/ {print $2}')
echo "window geometry $geometry"
width=${geometry%x*}
[ "$width" -ge 1000 ] || { echo "not maximised: $geometry"; exit 1; }

e2e_key KLAVIRO alt+F4
code=0
e2e_wait_exit $pid 30 || code=$?
[ "$code" -eq 0 ] || { echo "exit code $code"; exit 1; }

[ -f KLAVIRO.cfg ] || { echo "KLAVIRO.cfg missing"; exit 1; }
grep -q $'^\tDatabase\t=\t.*KLAVIRO\.bdb\r$' KLAVIRO.cfg || { echo "no Database entry"; cat -A KLAVIRO.cfg; exit 1; }
[ "$(cat "$temp/KLAVIRO.bsf")" = "$(printf '3 \r')" ] || { echo "KLAVIRO.bsf:"; od -c "$temp/KLAVIRO.bsf"; exit 1; }
[ ! -e "$temp/KLAVIRO.bdb" ] || { echo "a database file was created"; exit 1; }
echo "startup ok"
