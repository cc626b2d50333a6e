#!/usr/bin/env bash
# Installs what is missing, builds KLAVIRO.exe and starts it under Wine.
# Uses the current X display when there is one, otherwise a virtual one;
# either way Wine runs with code page 1251, so the Russian texts show.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/install-deps.sh"
"$root/tools/build.sh" win
. "$root/tools/wine-session.sh"
if [ -z "${DISPLAY:-}" ]; then
    wine_session_start "$root/build"
    trap wine_session_stop EXIT
    echo "No display: KLAVIRO runs on the virtual display $DISPLAY (close it with Ctrl+C)."
else
    wine_env "$root/build"
fi
cd "$root/build/win"
wine KLAVIRO.exe
