# Sourced by the run and test scripts: a virtual display and a Wine prefix of
# the project's own, started on demand and stopped by wine_session_stop.
#   wine_env <build-dir>             sets WINEPREFIX, WINEDEBUG and the rest,
#                                    and puts a `wine` first in PATH that
#                                    runs Wine in the Russian locale, and a
#                                    `wine-en` for the English one
#   wine_session_start <build-dir>   wine_env, then DISPLAY on a new Xvfb
#   wine_session_stop                stops the Wine server and Xvfb it started

wine_env() {
    local build=$1
    export WINEPREFIX="$build/wineprefix"
    export WINEDEBUG=-all
    export WINEDLLOVERRIDES="mscoree,mshtml="
    export WINEARCH=win64
    # Wine takes its ANSI code page (1251) from the locale, and where ru_RU is
    # not generated only LC_ALL together with LANG gives it. Only Wine gets
    # them: every shell and tool started with a locale the machine lacks
    # warns about it.
    local bin="$build/wine-bin" real
    real=$(PATH=$(printf '%s' "$PATH" | tr ':' '\n' | grep -vxF "$bin" | paste -sd:) command -v wine) || {
        echo "wine is not installed (tools/install-deps.sh installs it)" >&2
        return 1
    }
    mkdir -p "$bin"
    # Wine names files on the Unix side in the C library's character set of
    # that locale; where the locale is missing that is ASCII, and a file named
    # beyond it ("Итоги-Łódź.html") cannot be made. The machine's UTF-8 C
    # locale under the Russian name gives Wine both code page 1251 and UTF-8
    # file names.
    # `wine` runs in the Russian locale (code page 1251), `wine-en` in the
    # English one (code page 1252, no Russian anywhere): the program's texts
    # must read the same under both.
    local name locale locales
    for name in wine:ru_RU wine-en:en_US; do
        locale=${name#*:}
        name=${name%%:*}
        locales=""
        if ! locale -a 2>/dev/null | grep -qix "$locale\\.utf-\\?8" && [ -d /usr/lib/locale/C.utf8 ]; then
            locales="$build/locale"
            if [ ! -d "$locales/$locale.UTF-8" ]; then
                mkdir -p "$locales"
                cp -r /usr/lib/locale/C.utf8 "$locales/$locale.UTF-8.$$"
                mv -T "$locales/$locale.UTF-8.$$" "$locales/$locale.UTF-8" 2>/dev/null ||
                    rm -rf "$locales/$locale.UTF-8.$$"
            fi
        fi
        # Replaced in one step: another script of the same build may be starting Wine.
        printf '#!/bin/sh\n%sLANG=%s.UTF-8 LC_ALL=%s.UTF-8 exec "%s" "$@"\n' \
            "${locales:+LOCPATH=\"$locales\" }" "$locale" "$locale" "$real" >"$bin/$name.$$"
        chmod +x "$bin/$name.$$"
        mv -f "$bin/$name.$$" "$bin/$name"
    done
    case ":$PATH:" in
        *":$bin:"*) ;;
        *) export PATH="$bin:$PATH" ;;
    esac
}

# Whether the prefix already has the X11 driver settings of the session.
wine_x11_settings_present() {
    local reg="$WINEPREFIX/user.reg"
    [ -f "$reg" ] || return 1
    local section
    section=$(awk '/^\[/ { on = index($0, "[Software\\\\Wine\\\\X11 Driver]") == 1; next } on' "$reg")
    printf '%s\n' "$section" | grep -qx '"Managed"="N"' && printf '%s\n' "$section" | grep -qx '"Decorated"="Y"' &&
        grep -qx '"CursorBlinkRate"="-1"' "$reg"
}

wine_session_start() {
    local build=$1
    mkdir -p "$build"
    wine_env "$build" || return 1
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
        wine wineboot -i >"$build/wineboot.log" 2>&1 || true
    fi
    # Xvfb has no window manager: Wine places, maximises and frames its
    # windows itself. A prefix made elsewhere gets this too, or a late
    # maximising resize reaches the program while it already runs.
    if ! wine_x11_settings_present; then
        wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 || true
        wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d Y /f >/dev/null 2>&1 || true
        # A caret that does not blink: screenshots of one page compared
        # pixel for pixel must not depend on the blink's phase.
        wine reg add 'HKCU\Control Panel\Desktop' /v CursorBlinkRate /d -1 /f >/dev/null 2>&1 || true
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
