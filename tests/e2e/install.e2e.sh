#!/usr/bin/env bash
# The release installer: a silent install puts KLAVIRO under Program Files
# with a Start menu entry and an entry in "Programs and Features"; the
# installed program, its folder mounted read-only, keeps its settings in the
# user's application data folder across starts, and started from its Start
# menu entry runs a competition text and marks a copy with the files in the
# user's Documents\KLAVIRO; a portable copy unzipped beside those settings
# keeps its own; the silent uninstall removes the program and its entry, and
# leaves the user's files alone.
set -eu
build=$1
here=$(cd "$(dirname "$0")" && pwd)
. "$here/lib.sh"
setup=$(ls "$build"/../dist/KLAVIRO-*-setup.exe 2>/dev/null | head -n 1)
[ -n "$setup" ] || { echo "no installer in dist/ (tools/package.sh)"; exit 1; }
portable=$(ls "$build"/../dist/KLAVIRO-*-portable.zip 2>/dev/null | head -n 1)
[ -n "$portable" ] || { echo "no portable package in dist/ (tools/package.sh)"; exit 1; }
work="$build/e2e/install"
rm -rf "$work"
mkdir -p "$work"

drive_c="$WINEPREFIX/drive_c"
installed="$drive_c/Program Files/KLAVIRO"
menu="$drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/KLAVIRO"
key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\KLAVIRO'
appdata=$(winepath -u "$(wine cmd /c 'echo %APPDATA%' | tr -d '\r')")
usercfg="$appdata/KLAVIRO/KLAVIRO.cfg"
rm -rf "$appdata/KLAVIRO"
mounted=""
# The user's documents folder, moved into the work folder for this test as
# Windows' folder redirection moves it (Wine links the real one to $HOME).
shell_folders='HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\User Shell Folders'
documents_before=$(wine reg query "$shell_folders" /v Personal | tr -d '\r' | sed -n 's/^ *Personal *REG_[A-Z_]* *//p')
documents="$work/Documents"
mkdir -p "$documents"
wine reg add "$shell_folders" /v Personal /t REG_EXPAND_SZ /d "$(winepath -w "$documents")" /f >/dev/null
cleanup() {
    # A failure leaves the program that Explorer started running: end it by
    # the process of its window on this display.
    local id pid
    for id in $(xdotool search --name '^KLAVIRO$' 2>/dev/null); do
        pid=$(xdotool getwindowpid "$id" 2>/dev/null) || continue
        kill "$pid" 2>/dev/null && e2e_wait_exit "$pid" 10 >/dev/null 2>&1 || true
    done
    [ -z "$mounted" ] || umount "$installed" 2>/dev/null || true
    [ -z "$documents_before" ] ||
        wine reg add "$shell_folders" /v Personal /t REG_EXPAND_SZ /d "$documents_before" /f >/dev/null 2>&1 || true
}
trap cleanup EXIT
trap 'exit 1' INT TERM

wine "$setup" /S
wineserver -w
for f in KLAVIRO.exe klaviro-cli.exe guide-ru.txt guide-en.txt readme.txt Uninstall.exe; do
    [ -f "$installed/$f" ] || { echo "not installed: $f"; ls -la "$installed"; exit 1; }
done
[ -f "$menu/KLAVIRO.lnk" ] || { echo "no Start menu entry"; exit 1; }
# The installer speaks the system's language when silent (Russian here), and
# the guide entry follows it.
tr -d '\000' <"$menu/KLAVIRO Guide.lnk" | grep -aq 'guide-ru\.txt' || { echo "the guide entry is not the Russian guide"; exit 1; }
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

# Started as the Start menu and the installer's last page start it (Explorer
# opening the shortcut): Competitions, Reception, Next (letters from 100),
# Start; then Stop, back to the competitions menu, the results page, and a
# copy with two errors marked with Ctrl+Enter (Enter breaks the line in the copy field).
[ ! -e "$documents/KLAVIRO" ] || { echo "Documents\\KLAVIRO was there before the program"; exit 1; }
# A sound card that plays into nothing.
mkdir -p "$work/home"
printf 'pcm.!default {\n  type null\n}\n' >"$work/home/.asoundrc"
(cd "$work" && HOME="$work/home" wine 'C:\windows\explorer.exe' \
    'C:\ProgramData\Microsoft\Windows\Start Menu\Programs\KLAVIRO\KLAVIRO.lnk')
e2e_wait_window KLAVIRO 90 >/dev/null || { echo "the Start menu entry started no KLAVIRO"; exit 1; }
e2e_wait_still "" || { echo "the main menu never settled"; exit 1; }
[ ! -e "$documents/KLAVIRO" ] || { echo "Documents\\KLAVIRO made before a file was written"; exit 1; }
e2e_press KLAVIRO Tab Tab
e2e_press KLAVIRO Return
e2e_press KLAVIRO Return
e2e_press KLAVIRO Return
e2e_key KLAVIRO Return
letters="$documents/KLAVIRO/Letters.txt"
for i in $(seq 1 150); do
    grep -q $'^100\r$' "$letters" 2>/dev/null && break
    sleep 0.2
done
grep -q $'^100\r$' "$letters" 2>/dev/null || { echo "no competition text in $letters"; e2e_screenshot "$work/run.png"; exit 1; }
e2e_press KLAVIRO Escape
e2e_press KLAVIRO Escape
e2e_press KLAVIRO Escape
e2e_press KLAVIRO Down Down Down
e2e_press KLAVIRO Return
text=$(awk 'BEGIN { RS = "\r\n" } NR <= 2 { next } $0 == "" { exit } { printf "%s", $0 }' "$letters" | tr -d ' ')
[ ${#text} -eq 100 ] || { echo "the text of 100 holds ${#text} letters"; exit 1; }
copy=$(printf '%s' "$text" | sed 's/^./#/')
copy="${copy:0:49}${copy:50}"
xdotool type --delay 30 "100"
e2e_key KLAVIRO Tab
xdotool type --delay 30 "Eva"
e2e_key KLAVIRO Tab Tab
xdotool type --delay 10 "$copy"
e2e_key KLAVIRO ctrl+Return
results="$documents/KLAVIRO/Results.csv"
for i in $(seq 1 100); do
    grep -q '^Eva;letters;100;2;' "$results" 2>/dev/null && break
    sleep 0.2
done
grep -q '^Eva;letters;100;2;' "$results" 2>/dev/null ||
    { echo "no mark in $results"; e2e_screenshot "$work/results.png"; exit 1; }
e2e_key KLAVIRO alt+F4
e2e_wait_gone KLAVIRO 30 || { echo "KLAVIRO did not close"; exit 1; }
timeout 60 wineserver -w || { echo "KLAVIRO did not end"; exit 1; }
for f in "$installed"/*; do
    case "${f##*/}" in KLAVIRO.exe | klaviro-cli.exe | guide-ru.txt | guide-en.txt | readme.txt | Uninstall.exe) ;;
    *) echo "written into the program folder: $f"; exit 1 ;; esac
done
grep -q $'^\tDlgColor\t=\t12632256\r$' "$usercfg" || { echo "the settings were not kept"; exit 1; }

umount "$installed"
mounted=""

# A portable copy unzipped beside the installed copy's settings starts from
# its own defaults, keeps its settings beside itself, and leaves the
# installed copy's file as it was.
usercfg_sum=$(md5sum <"$usercfg")
(cd "$work" && unzip -q "$portable")
portable_dir=$(ls -d "$work"/KLAVIRO-*)
(cd "$portable_dir" && wine KLAVIRO.exe) &
pid=$!
e2e_wait_window KLAVIRO 90 >/dev/null || { echo "no window of the portable copy"; kill $pid; exit 1; }
e2e_wait_still "" || { echo "the portable copy never settled"; exit 1; }
e2e_key KLAVIRO alt+F4
e2e_wait_exit $pid 30 || { echo "the portable copy did not close"; exit 1; }
grep -q $'^\tDlgColor\t=\t13160660\r$' "$portable_dir/KLAVIRO.cfg" 2>/dev/null ||
    { echo "the portable copy kept no settings of its own"; exit 1; }
[ "$(md5sum <"$usercfg")" = "$usercfg_sum" ] || { echo "the portable copy changed the installed copy's settings"; exit 1; }
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

# A German Windows (a language the installer lacks) gets English and the
# English guide; a Ukrainian one Russian, as the program's first start picks.
# Wine takes its display language from the locale: the machine's UTF-8 C
# locale under each name, given to the real wine past the session's Russian.
real_wine=$(PATH=$(printf '%s' "$PATH" | tr ':' '\n' | grep -v 'wine-bin$' | paste -sd:) command -v wine)
for pair in de_DE:guide-en uk_UA:guide-ru; do
    locale_name=${pair%%:*}.UTF-8
    mkdir -p "$work/locale"
    [ -d "$work/locale/$locale_name" ] || cp -r /usr/lib/locale/C.utf8 "$work/locale/$locale_name"
    wineserver -k 2>/dev/null || true
    LOCPATH="$work/locale" LANG=$locale_name LC_ALL=$locale_name "$real_wine" "$setup" /S
    wineserver -w
    tr -d '\000' <"$menu/KLAVIRO Guide.lnk" | grep -aq "${pair#*:}\\.txt" ||
        { echo "$locale_name: the guide entry is not ${pair#*:}"; exit 1; }
    LOCPATH="$work/locale" LANG=$locale_name LC_ALL=$locale_name "$real_wine" "$installed/Uninstall.exe" /S
    wineserver -w
    for i in $(seq 1 50); do [ -e "$installed/KLAVIRO.exe" ] || break; sleep 0.2; done
    wineserver -k 2>/dev/null || true
done
rm -rf "$installed" "$appdata/KLAVIRO" "$work"
echo "install ok"
