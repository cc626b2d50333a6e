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
