#!/usr/bin/env bash
# Installs what is missing, builds KLAVIRO.exe and starts it under Wine.
# Uses the current X display when there is one, otherwise a virtual one.
# The program shows its texts through the wide calls, so they read right
# whatever the locale: KLAVIRO_WINE=wine-en runs it on an English Windows
# (code page 1252) instead of the Russian one.
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
"${KLAVIRO_WINE:-wine}" KLAVIRO.exe
