#!/usr/bin/env bash
# Installs what is missing, builds KLAVIRO.exe and starts it under Wine.
# Uses the current X display when there is one, otherwise a virtual one.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/install-deps.sh"
"$root/tools/build.sh" win
export WINEPREFIX="$root/build/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=win64
export LANG=ru_RU.UTF-8
if [ -z "${DISPLAY:-}" ]; then
    . "$root/tools/wine-session.sh"
    wine_session_start "$root/build"
    trap wine_session_stop EXIT
    echo "No display: KLAVIRO runs on the virtual display $DISPLAY (close it with Ctrl+C)."
fi
cd "$root/build/win"
wine KLAVIRO.exe
