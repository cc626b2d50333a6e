#!/usr/bin/env bash
# The layouts at 96, 144 and 192 DPI (the prefix's LogPixels), each on a
# display of the same size in logical units as 1280 x 1024 at 96 DPI: every
# page's controls inside the page, none overlapping, no caption cut, the
# pictures as wide as their frames (the Windows layout test), every message
# box's text whole (the message window test), and
# screenshots at 144 DPI of the main menu, the training page while playing
# and the results page.
set -eu
. "$(dirname "$0")/lib.sh"
e2e_begin dpi "$1"
tests="$build/win/tests/klaviro_win_tests.exe"
[ -f "$tests" ] || fail "needs $tests"

session_display=$DISPLAY
xvfb=""
pid=""
set_dpi() {
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
    wineserver -w
}
restore() {
    [ -z "$pid" ] || kill "$pid" 2>/dev/null || true
    [ -z "$xvfb" ] || { kill "$xvfb" 2>/dev/null; wait "$xvfb" 2>/dev/null; } || true
    export DISPLAY=$session_display
    set_dpi 96
}
trap restore EXIT

# A display of its own for one scale, its size scaled with the DPI.
start_display() {
    local dpi=$1 n
    for n in $(seq 141 190); do
        [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] || break
    done
    Xvfb ":$n" -screen 0 "$((1280 * dpi / 96))x$((1024 * dpi / 96))x24" -nolisten tcp >"$work/xvfb-$dpi.log" 2>&1 &
    xvfb=$!
    export DISPLAY=":$n"
    for _ in $(seq 1 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
}
stop_display() {
    kill "$xvfb" 2>/dev/null || true
    wait "$xvfb" 2>/dev/null || true
    xvfb=""
    export DISPLAY=$session_display
}

for dpi in 96 144 192; do
    set_dpi "$dpi"
    start_display "$dpi"
    echo "-- $dpi DPI"
    (cd "$work" && wine "$tests" --gtest_filter='*EveryPageFitsItsControlsAtTheDisplayScale*:MessageWindow.*' --gtest_brief=1) \
        >"$work/layout-$dpi.log" 2>&1 || { cat "$work/layout-$dpi.log"; fail "layout at $dpi DPI"; }
    grep -a "display scale" "$work/layout-$dpi.log"
    grep -aq "display scale: $dpi DPI" "$work/layout-$dpi.log" || fail "the test did not run at $dpi DPI"

    if [ "$dpi" = 144 ]; then
        dir="$work/program"
        e2e_copy_program "$build" "$dir"
        e2e_start_program "$dir" "$dir/home" capture || exit 1
        e2e_screenshot "$build/dpi144-main-menu.png"
        e2e_to_training_page
        e2e_start_training
        sleep 8
        e2e_screenshot "$build/dpi144-training-playing.png"
        e2e_close_program || exit 1
        # Again, to the results page: Соревнования, then its fourth button.
        e2e_start_program "$dir" "$dir/home2" || exit 1
        e2e_key KLAVIRO Tab Tab Return
        sleep 1
        e2e_key KLAVIRO Down Down Down Return
        sleep 1.5
        e2e_screenshot "$build/dpi144-results.png"
        e2e_close_program || exit 1
        pid=""
        for shot in main-menu training-playing results; do
            [ -s "$build/dpi144-$shot.png" ] || fail "no $shot screenshot"
        done
    fi
    stop_display
done
echo "dpi ok"
