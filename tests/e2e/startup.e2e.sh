#!/usr/bin/env bash
# KLAVIRO.exe starts maximised, closes on WM_CLOSE (Alt+F4) with exit code 0,
# and leaves its configuration file and the closing line of its temporary
# sound file behind.
set -eu
. "$(dirname "$0")/lib.sh"
e2e_begin startup "$1"
# Wine sets TEMP from its own registry; ask it where that is.
wintemp=$(wine cmd /c 'echo %TEMP%' | tr -d '\r')
temp=$(winepath -u "$wintemp")
rm -f "$temp/KLAVIRO.bsf"

e2e_program_in_work
win=$(e2e_wait_window KLAVIRO 5)
e2e_screenshot "$work/startup.png"
geometry=$(xdotool getwindowgeometry "$win" | awk '/Geometry/ {print $2}')
echo "window geometry $geometry"
width=${geometry%x*}
[ "$width" -ge 1000 ] || { echo "not maximised: $geometry"; exit 1; }

e2e_close_program || exit 1
trap - EXIT
e2e_check_config KLAVIRO.cfg
[ "$(cat "$temp/KLAVIRO.bsf")" = "$(printf '3 \r')" ] || { echo "KLAVIRO.bsf:"; od -c "$temp/KLAVIRO.bsf"; exit 1; }
[ ! -e "$temp/KLAVIRO.bdb" ] || { echo "a database file was created"; exit 1; }
echo "startup ok"
