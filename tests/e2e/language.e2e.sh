#!/usr/bin/env bash
# The program's texts on a Windows that is not Russian. KLAVIRO is started
# from program folders of its own, its language written in KLAVIRO.cfg:
#   ru-ru  Russian texts on a Russian Windows (`wine`, code page 1251),
#   ru-en  Russian texts on an English Windows (`wine-en`, code page 1252,
#          no Russian locale anywhere),
#   en-en  English texts on the English Windows.
# Each run shows the main menu, the training page and the results page; the
# screenshots language-<run>-<page>.png stay in the build folder.
# What is compared with the ru-ru screenshot of the same page:
#   ru-en  the whole screen, pixel for pixel: Russian on an English Windows
#          looks exactly as on a Russian one (a text shown through the code
#          page of the system would come out in Latin letters);
#   en-en  the same window rectangles of the program's controls (read with
#          xdotool: the layout does not move with the language), the
#          pictures half of the main menu pixel for pixel, and that the
#          screen is not the Russian one (the English texts were shown).
set -eu
. "$(dirname "$0")/lib.sh"
e2e_begin language "$1"

# The rectangles of every window of the program, in the order X lists them.
rectangles() {
    local id
    for id in $(xdotool search --pid "$pid" 2>/dev/null || true); do
        xdotool getwindowgeometry "$id" 2>/dev/null | tail -n 2 | tr -s ' \n' ' '
        echo
    done | sort
}

# run <tag> <wine> <language> <page>: KLAVIRO in a folder of its own under
# that Wine with that language, shown on the page (menu, training or
# results); the screenshot is language-<tag>-<page>.png.
run() {
    # One folder for every run: the paths the pages show are the same.
    local tag=$1 page=$4 dir=$work/program
    e2e_copy_program "$build" "$dir"
    printf '\r\n[Default]\r\n\tLanguage\t=\t%s\r\n' "$3" >"$dir/KLAVIRO.cfg"
    e2e_sound_file "$dir/home" "$dir/capture.wav"
    E2E_WINE=$2 e2e_start_program "$dir" "$dir/home" || fail "$tag: no window"
    trap 'kill $pid 2>/dev/null || true' EXIT
    e2e_wait_still "" || true
    case $page in
        training) e2e_to_training_page ;;
        results)
            e2e_press KLAVIRO Tab Tab Return
            e2e_press KLAVIRO Down Down Down Return
            ;;
    esac
    e2e_wait_still "" || true
    e2e_screenshot "$build/language-$tag-$page.png"
    rectangles >"$work/$tag-$page.rects"
    e2e_close_program || fail "$tag: KLAVIRO did not close"
    trap - EXIT
    # The language chosen stays as it was written.
    grep -q $'^\tLanguage\t=\t'"$3"$'\r$' "$dir/KLAVIRO.cfg" || fail "$tag: the language changed"
}

differing() {
    compare -metric AE "$1" "$2" null: 2>&1 || true
}

for page in menu training results; do
    run ru-ru wine Russian $page
    run ru-en wine-en Russian $page
    run en-en wine-en English $page
    ru=$build/language-ru-ru-$page.png
    n=$(differing "$ru" "$build/language-ru-en-$page.png")
    [ "$n" = 0 ] || fail "$page: Russian on an English Windows differs in $n pixels from the Russian Windows"
    cmp -s "$work/ru-ru-$page.rects" "$work/en-en-$page.rects" ||
        { diff "$work/ru-ru-$page.rects" "$work/en-en-$page.rects" | head; fail "$page: the English layout moved"; }
    n=$(differing "$ru" "$build/language-en-en-$page.png")
    [ "$n" != 0 ] || fail "$page: the English page shows the Russian texts"
    echo "$page: the same on both Windows; English in the same layout ($n pixels of text differ)"
done
# The pictures half of the main menu does not change with the language.
right_half() { convert "$1" -crop 640x1024+640+0 +repage "$2"; }
right_half "$build/language-ru-ru-menu.png" "$work/a.png"
right_half "$build/language-en-en-menu.png" "$work/b.png"
n=$(differing "$work/a.png" "$work/b.png")
[ "$n" = 0 ] || fail "menu: the pictures differ in $n pixels between the languages"
echo "language ok"
