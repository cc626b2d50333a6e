#!/usr/bin/env bash
# The release installer: a silent install puts KLAVIRO under Program Files
# with a Start menu entry and an entry in "Programs and Features"; the
# installed program, its folder mounted read-only, keeps its settings in the
# user's application data folder across starts; the silent uninstall removes
# the program and its entry, and leaves the user's files alone.
set -eu
build=$1
here=$(cd "$(dirname "$0")" && pwd)
. "$here/lib.sh"
setup=$(ls "$build"/../dist/KLAVIRO-*-setup.exe 2>/dev/null | head -n 1)
[ -n "$setup" ] || { echo "no installer in dist/ (tools/package.sh)"; exit 1; }

drive_c="$WINEPREFIX/drive_c"
installed="$drive_c/Program Files/KLAVIRO"
menu="$drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/KLAVIRO"
key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\KLAVIRO'
appdata=$(winepath -u "$(wine cmd /c 'echo %APPDATA%' | tr -d '\r')")
usercfg="$appdata/KLAVIRO/KLAVIRO.cfg"
rm -rf "$appdata/KLAVIRO"
mounted=""
cleanup() {
    [ -z "$mounted" ] || umount "$installed" 2>/dev/null || true
}
trap cleanup EXIT

wine "$setup" /S
wineserver -w
for f in KLAVIRO.exe klaviro-cli.exe guide-ru.txt guide-en.txt readme.txt Uninstall.exe; do
    [ -f "$installed/$f" ] || { echo "not installed: $f"; ls -la "$installed"; exit 1; }
done
[ -f "$menu/KLAVIRO.lnk" ] || { echo "no Start menu entry"; exit 1; }
wine reg query "$key" /v UninstallString | grep -q 'Uninstall.exe' || { echo "no uninstall entry"; exit 1; }
wine "$installed/klaviro-cli.exe" --version | grep -q "$(basename "$setup" | sed 's/KLAVIRO-\(.*\)-setup.exe/\1/')" \
    || { echo "klaviro-cli does not report the package's version"; exit 1; }

# The program folder on a read-only mount, as Program Files is for a user.
mount --bind "$installed" "$installed"
mount -o remount,bind,ro "$installed"
mounted=1
if touch "$installed/probe" 2>/dev/null; then echo "the mount is not read-only"; exit 1; fi

run_and_close() {
    (cd "$drive_c" && wine "C:\\Program Files\\KLAVIRO\\KLAVIRO.exe") &
    local pid=$!
    e2e_wait_window KLAVIRO 90 >/dev/null || { echo "no KLAVIRO window"; kill $pid; exit 1; }
    sleep 1
    e2e_key KLAVIRO alt+F4
    e2e_wait_exit $pid 30 || { echo "KLAVIRO did not close"; exit 1; }
}

run_and_close
[ -f "$usercfg" ] || { echo "no configuration in $usercfg"; exit 1; }
grep -q $'^\tDlgColor\t=\t13160660\r$' "$usercfg" || { echo "no default dialog colour stored"; exit 1; }
# A changed setting must survive two more starts.
sed -i $'s/^\tDlgColor\t=\t13160660\r$/\tDlgColor\t=\t12632256\r/' "$usercfg"
run_and_close
run_and_close
grep -q $'^\tDlgColor\t=\t12632256\r$' "$usercfg" || { echo "the changed setting was lost"; exit 1; }
[ ! -e "$installed/KLAVIRO.cfg" ] || { echo "a configuration appeared in the read-only folder"; exit 1; }

umount "$installed"
mounted=""
# A file of the user's beside the program must survive the uninstall.
printf 'user data\r\n' >"$installed/Letters.txt"
wine "$installed/Uninstall.exe" /S
wineserver -w
for i in $(seq 1 50); do [ -e "$installed/KLAVIRO.exe" ] || break; sleep 0.2; done
for f in KLAVIRO.exe klaviro-cli.exe guide-ru.txt guide-en.txt readme.txt Uninstall.exe; do
    [ ! -e "$installed/$f" ] || { echo "left behind: $f"; exit 1; }
done
[ ! -e "$menu" ] || { echo "Start menu entry left behind"; exit 1; }
if wine reg query "$key" >/dev/null 2>&1; then echo "uninstall entry left behind"; exit 1; fi
[ "$(cat "$installed/Letters.txt")" = "$(printf 'user data\r')" ] || { echo "the user's file was removed"; exit 1; }
[ -f "$usercfg" ] || { echo "the user's settings were removed"; exit 1; }
rm -rf "$installed" "$appdata/KLAVIRO"
echo "install ok"
