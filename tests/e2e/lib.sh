# Helpers for the end-to-end scripts: start KLAVIRO.exe from a folder of its
# own, find its window, send keys, take screenshots.

# e2e_copy_program <build> <dir>: a fresh program folder holding KLAVIRO.exe.
e2e_copy_program() {
    rm -rf "$2"
    mkdir -p "$2"
    cp "$1/win/KLAVIRO.exe" "$2/"
}

# e2e_wait_window <name> [seconds]: prints the X window id of a visible window.
e2e_wait_window() {
    local name=$1 limit=${2:-60} i id
    for i in $(seq 1 $((limit * 5))); do
        id=$(xdotool search --onlyvisible --name "^$name\$" 2>/dev/null | head -n 1)
        if [ -n "$id" ]; then
            echo "$id"
            return 0
        fi
        sleep 0.2
    done
    return 1
}

# e2e_wait_exit <pid> [seconds]: waits for the process; returns its exit code.
e2e_wait_exit() {
    local pid=$1 limit=${2:-30} i
    for i in $(seq 1 $((limit * 5))); do
        if ! kill -0 "$pid" 2>/dev/null; then
            wait "$pid"
            return $?
        fi
        sleep 0.2
    done
    kill "$pid" 2>/dev/null
    return 124
}

e2e_screenshot() {
    import -window root "$1"
}

# e2e_key <name> <keys...>: focuses the (current) window of that name and
# types the keys through XTEST, which Wine treats as real input.
e2e_key() {
    local name=$1 id
    shift
    id=$(e2e_wait_window "$name" 10) || return 1
    xdotool windowfocus "$id" 2>/dev/null || true
    sleep 0.2
    xdotool key "$@"
}

# e2e_capture_start <home> <capture>: makes <home> the sound card of a Wine
# program started with HOME=<home>: ALSA's file plugin writes into a FIFO
# that sound_capture.py drains at real time into <capture>.N.wav, one file
# per device opening. Sets $pacer; e2e_capture_stop <home> ends it.
e2e_capture_start() {
    local home=$1 capture=$2
    mkdir -p "$home"
    mkfifo "$home/fifo"
    printf 'pcm.!default {\n  type file\n  slave.pcm "null"\n  file "%s"\n  format "wav"\n}\n' \
        "$home/fifo" >"$home/.asoundrc"
    python3 "$(dirname "${BASH_SOURCE[0]}")/sound_capture.py" pace "$home/fifo" "$capture" &
    pacer=$!
}

# e2e_capture_stop <home>: ends the capture of e2e_capture_start once the
# program has closed the device.
e2e_capture_stop() {
    touch "$1/fifo.stop"
    wait "$pacer" || true
}

# e2e_begin <name> <build>: what every script sets up first: $build, $here
# (this folder), an empty work folder $work under the build's e2e folder,
# $cli (the native klaviro-cli, which need not exist), the Morse decoder,
# and fail, which ends the script with a message naming it.
e2e_begin() {
    e2e_name=$1
    build=$2
    here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
    work="$build/e2e/$e2e_name"
    rm -rf "$work"
    mkdir -p "$work"
    cli="$build/native/klaviro-cli"
    . "$here/../cli/morse_decode.sh"
}
fail() {
    echo "$e2e_name: $*" >&2
    exit 1
}

# e2e_need_cli: fails unless the native klaviro-cli has been built.
e2e_need_cli() {
    [ -x "$cli" ] || fail "needs the native klaviro-cli in $build/native"
}

# e2e_sound_file <home> <wav>: the sound of a program started with
# HOME=<home> goes, unpaced, into one WAV file (no sound card needed).
e2e_sound_file() {
    mkdir -p "$1"
    printf 'pcm.!default {\n  type file\n  slave.pcm "null"\n  file "%s"\n  format "wav"\n}\n' "$2" \
        >"$1/.asoundrc"
}

# e2e_start_program <dir> <home> [capture]: KLAVIRO.exe from <dir> with
# HOME=<home>, and with "capture" the paced capture into <home>/capture.N.wav
# as its sound card; waits for its window. Sets $pid, $pacer and $e2e_home;
# false, with the program ended, when no window came. Wine is $E2E_WINE when
# set (wine-en: an English Windows), otherwise the Russian `wine`.
e2e_start_program() {
    local dir=$1
    e2e_home=$2
    mkdir -p "$e2e_home"
    pacer=""
    if [ "${3:-}" = capture ]; then
        e2e_capture_start "$e2e_home" "$e2e_home/capture"
    fi
    (cd "$dir" && HOME="$e2e_home" exec "${E2E_WINE:-wine}" KLAVIRO.exe >>"$e2e_home/wine.log" 2>&1) &
    pid=$!
    if ! e2e_wait_window KLAVIRO 90 >/dev/null; then
        echo "$e2e_name: no KLAVIRO window" >&2
        kill "$pid" 2>/dev/null || true
        e2e_end_capture
        return 1
    fi
    # Started once its window has been drawn and stands still.
    e2e_wait_still "" 10 || true
}

# e2e_close_program: Alt+F4, then waits for KLAVIRO to end and its capture
# to be written; returns the program's exit code.
e2e_close_program() {
    local code=0
    e2e_key KLAVIRO alt+F4 || true
    e2e_wait_exit "$pid" 30 || code=$?
    e2e_end_capture
    [ "$code" -eq 0 ] || echo "$e2e_name: KLAVIRO ended with $code" >&2
    return "$code"
}

# e2e_end_capture: ends the capture of the program started last, if any.
e2e_end_capture() {
    if [ -n "${pacer:-}" ]; then
        e2e_capture_stop "$e2e_home"
        pacer=""
    fi
}

# e2e_longest <capture>: the longest of <capture>.N.wav, the device opening
# that played.
e2e_longest() {
    ls -S "$1".*.wav | head -n 1
}

# e2e_check_decoded [--no-blanks] <what> <dot ms> <wav> <sent>: the
# independent decoder hears in a capture, through a band-pass around the
# tone, the text sent (in the sending format); --no-blanks compares the
# characters alone.
e2e_check_decoded() {
    local blanks=keep got want
    if [ "$1" = --no-blanks ]; then
        blanks=""
        shift
    fi
    got=$(MORSE_FILTER="sinc 600-1100" morse_decode "$2" "$3")
    want=$(morse_expected "$4")
    if [ -z "$blanks" ]; then
        got=${got// /}
        want=${want// /}
    fi
    echo "$1: decoded \"$got\""
    [ "$got" = "$want" ] || { echo "$1: sent \"$want\""; return 1; }
}

# e2e_to_training_page: from the main menu to the training page: Тренировка
# (the second button), then Прием, which the training menu opens focused on.
e2e_to_training_page() {
    e2e_key KLAVIRO Tab Return
    sleep 1
    e2e_key KLAVIRO Return
    sleep 1.5
}

# e2e_start_training [groups]: on the training page (the text number field
# focused), with <groups> the fixed length (item 0 of the length list, then
# past the speed step and speed to the groups field); then Enter for Begin
# (Start is still disabled) and Enter for Start.
e2e_start_training() {
    if [ -n "${1:-}" ]; then
        e2e_key KLAVIRO Tab Tab Up
        e2e_key KLAVIRO Tab Tab Tab
        e2e_key KLAVIRO BackSpace "$1"
    fi
    e2e_key KLAVIRO Return
    sleep 0.5
    e2e_key KLAVIRO Return
}

# e2e_to_competition_options: from the main menu to the competition options
# page: Соревнования (the third button), then Прием, its first.
e2e_to_competition_options() {
    e2e_key KLAVIRO Tab Tab
    sleep 0.5
    e2e_key KLAVIRO Return
    sleep 1.5
    e2e_key KLAVIRO Return
    sleep 1.5
}

# e2e_check_config <file>: the configuration file KLAVIRO left at its close,
# with the record store's entry.
e2e_check_config() {
    [ -f "$1" ] || fail "$1 missing"
    grep -q $'^\tDatabase\t=\t.*KLAVIRO\\.bdb\r$' "$1" || { cat -A "$1" | head -20; fail "no Database entry in $1"; }
}

# e2e_program_in_work [sound]: KLAVIRO.exe copied into $work and started
# there with HOME=$work/home (with "sound" its sound going, unpaced, into
# $work/capture.wav), killed should the script end early; the script goes
# on in $work.
e2e_program_in_work() {
    e2e_copy_program "$build" "$work"
    if [ "${1:-}" = sound ]; then
        e2e_sound_file "$work/home" "$work/capture.wav"
    fi
    e2e_start_program "$work" "$work/home" || exit 1
    trap 'kill $pid 2>/dev/null || true' EXIT
    cd "$work"
}

# e2e_screen_sum: a checksum of what the screen shows.
e2e_screen_sum() {
    import -window root -depth 8 rgb:- 2>/dev/null | md5sum | cut -d' ' -f1
}

# e2e_wait_still [seconds]: waits until two screenshots in a row are the same
# and differ from the checksum in $1 when one is given ("" for any).
e2e_wait_still() {
    local before=${1:-} limit=${2:-20} last="" now i
    for i in $(seq 1 $((limit * 4))); do
        now=$(e2e_screen_sum)
        if [ "$now" = "$last" ] && [ "$now" != "$before" ]; then
            return 0
        fi
        last=$now
        sleep 0.1
    done
    return 1
}

# e2e_press <name> <keys...>: types the keys into the window and waits for
# what they change on the screen (a page switch, a moved focus) to settle.
e2e_press() {
    local name=$1 before
    shift
    before=$(e2e_screen_sum)
    e2e_key "$name" "$@" || return 1
    e2e_wait_still "$before"
}

# e2e_wait_gone <name> [seconds]: waits until no window of that name shows.
e2e_wait_gone() {
    local name=$1 limit=${2:-30} i
    for i in $(seq 1 $((limit * 5))); do
        xdotool search --onlyvisible --name "^$name\$" >/dev/null 2>&1 || return 0
        sleep 0.2
    done
    return 1
}

# The name of the window with the keyboard focus (a dialog the program
# opened, or the program itself); "" when none has it.
e2e_focus_name() {
    xdotool getwindowfocus getwindowname 2>/dev/null || true
}

# e2e_wait_focus <name> [seconds]: waits until that window has the focus.
e2e_wait_focus() {
    local name=$1 limit=${2:-30} i
    for i in $(seq 1 $((limit * 5))); do
        [ "$(e2e_focus_name)" = "$name" ] && return 0
        sleep 0.2
    done
    return 1
}

# e2e_wait_focus_away <name> [seconds]: waits until another window than
# that one has the focus (a dialog opened, or one closed); prints its name.
e2e_wait_focus_away() {
    local name=$1 limit=${2:-30} i now
    for i in $(seq 1 $((limit * 5))); do
        now=$(e2e_focus_name)
        if [ -n "$now" ] && [ "$now" != "$name" ]; then
            echo "$now"
            return 0
        fi
        sleep 0.2
    done
    return 1
}
