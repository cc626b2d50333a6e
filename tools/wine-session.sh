# Sourced by the run and test scripts: a virtual display and a Wine prefix of
# the project's own, started on demand and stopped by wine_session_stop.
#   wine_session_start <build-dir>   sets DISPLAY, WINEPREFIX, WINEDEBUG, LANG
#   wine_session_stop                stops the Wine server and Xvfb it started

wine_session_start() {
    local build=$1
    export WINEPREFIX="$build/wineprefix"
    export WINEDEBUG=-all
    export LANG=ru_RU.UTF-8          # ANSI code page 1251 inside Wine
    # Where the ru_RU locale is not generated, Wine falls back to 1252 unless
    # LC_ALL names it too.
    export LC_ALL=ru_RU.UTF-8
    export WINEDLLOVERRIDES="mscoree,mshtml="
    export WINEARCH=win64
    mkdir -p "$build"
    # A free display number: no lock file and no socket.
    local n
    for n in $(seq 90 140); do
        [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] || break
    done
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >"$build/xvfb.log" 2>&1 &
    WINE_SESSION_XVFB=$!
    export DISPLAY=":$n"
    local i
    for i in $(seq 1 50); do
        [ -e "/tmp/.X11-unix/X$n" ] && break
        sleep 0.1
    done
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        echo "Creating the Wine prefix in $WINEPREFIX (takes a while the first time)"
        wineboot -i >"$build/wineboot.log" 2>&1 || true
        # Xvfb has no window manager: let Wine place, maximise and frame
        # its windows itself.
        wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 || true
        wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d Y /f >/dev/null 2>&1 || true
        wineserver -w
    fi
}

wine_session_stop() {
    if [ -n "${WINEPREFIX:-}" ]; then
        wineserver -k 2>/dev/null || true
    fi
    if [ -n "${WINE_SESSION_XVFB:-}" ]; then
        kill "$WINE_SESSION_XVFB" 2>/dev/null || true
        wait "$WINE_SESSION_XVFB" 2>/dev/null || true
        WINE_SESSION_XVFB=""
    fi
}
