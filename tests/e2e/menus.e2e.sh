#!/usr/bin/env bash
# Walks the menus with the keyboard: main menu -> training menu (Down,
# Enter) -> back (Esc) -> about page ("О программе...", five Downs, Enter)
# -> back (Enter), then the exit button (Down to it, Enter) ends the program
# with KLAVIRO.cfg written.
# The screenshots menus-main.png, menus-training.png and menus-about.png stay
# in the build folder.
set -eu
. "$(dirname "$0")/lib.sh"
e2e_begin menus "$1"
e2e_program_in_work

# The picture half of the screen tells the pages apart; the button half
# shows the owner-drawn look: fill 1.1 x the dialog colour (233, 228, 220).
right_half() { convert "$1" -crop 640x1024+640+0 +repage "$2"; }
same_picture() {
    right_half "$1" a.png
    right_half "$2" b.png
    [ "$(compare -metric AE a.png b.png null: 2>&1 || true)" = "0" ]
}
owner_drawn() {
    local n
    n=$(convert "$1" -crop 640x1024+0+0 +repage -depth 8 txt:- | grep -c '#E9E4DC' || true)
    [ "$n" -gt 2000 ] || { echo "$1: $n pixels in the button colour"; return 1; }
}
step() { e2e_key KLAVIRO "$1"; sleep 1.5; }

e2e_screenshot "$build/menus-main.png"
owner_drawn "$build/menus-main.png"

step Down
step Return
e2e_screenshot "$build/menus-training.png"
owner_drawn "$build/menus-training.png"
same_picture "$build/menus-main.png" "$build/menus-training.png" && { echo "Enter did not open the training menu"; exit 1; }

step Escape
e2e_screenshot back.png
same_picture "$build/menus-main.png" back.png || { echo "Esc did not return to the main menu"; exit 1; }

for i in 1 2 3 4 5; do e2e_key KLAVIRO Down; sleep 0.3; done
step Return
e2e_screenshot "$build/menus-about.png"
same_picture "$build/menus-main.png" "$build/menus-about.png" && { echo "no about page"; exit 1; }
same_picture "$build/menus-training.png" "$build/menus-about.png" && { echo "no about page"; exit 1; }

step Return
e2e_screenshot back.png
same_picture "$build/menus-main.png" back.png || { echo "Enter on the about page did not return"; exit 1; }

# The about button keeps the focus: the exit button is the next.
e2e_key KLAVIRO Down
sleep 0.3
e2e_key KLAVIRO Return
code=0
e2e_wait_exit $pid 30 || code=$?
trap - EXIT
[ "$code" -eq 0 ] || fail "exit code $code"
e2e_check_config KLAVIRO.cfg
# The texts the menus showed were stored in cp1251: "Обучение".
grep -q $'^\tPS_01\t=\t\xce\xe1\xf3\xf7\xe5\xed\xe8\xe5\r$' KLAVIRO.cfg || { echo "no PS_01 text"; cat -A KLAVIRO.cfg | head -40; exit 1; }
grep -q $'^\tPT_05\t=\t' KLAVIRO.cfg || { echo "the training menu's texts are missing"; exit 1; }
echo "menus ok"
