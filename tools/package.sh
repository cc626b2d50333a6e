#!/usr/bin/env bash
# Builds the release into dist/: a portable zip and an installer, both named
# with the project version.
#   tools/package.sh            builds the Windows tree first
#   tools/package.sh --no-build packages what build/win already holds
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
[ "${1:-}" = "--no-build" ] || "$root/tools/build.sh" win
win="$root/build/win"
version=$(sed -n 's/^#define KLAVIRO_VERSION_TEXT "\(.*\)"$/\1/p' "$win/generated/klaviro_version.h")
[ -n "$version" ] || { echo "no version in $win/generated/klaviro_version.h" >&2; exit 1; }

dist="$root/dist"
stage="$root/build/package/KLAVIRO-$version"
rm -rf "$root/build/package"
mkdir -p "$stage" "$dist"

# Text files for Windows: CRLF, and a byte order mark so that Notepad reads
# the Russian guide as UTF-8.
to_windows_text() { printf '\xEF\xBB\xBF' >"$2"; sed 's/\r*$/\r/' "$1" >>"$2"; }

cp "$win/KLAVIRO.exe" "$win/klaviro-cli.exe" "$stage/"
# Users get the programs without debug sections (a quarter of their size).
for exe in "$stage/KLAVIRO.exe" "$stage/klaviro-cli.exe"; do
    x86_64-w64-mingw32-strip "$exe"
    if x86_64-w64-mingw32-objdump -h "$exe" | grep -q '\.debug'; then
        echo "$exe still has debug sections" >&2
        exit 1
    fi
done
to_windows_text "$root/docs/guide-ru.md" "$stage/guide-ru.txt"
to_windows_text "$root/docs/guide-en.md" "$stage/guide-en.txt"
to_windows_text "$root/docs/readme-release.txt" "$stage/readme.txt"

zip="$dist/KLAVIRO-$version-portable.zip"
rm -f "$zip"
(cd "$root/build/package" && zip -q -X -r "$zip" "KLAVIRO-$version")

setup="$dist/KLAVIRO-$version-setup.exe"
makensis -V2 -DVERSION="$version" -DSTAGE="$stage" -DOUTFILE="$setup" \
    -DICON="$root/resources/klaviro.ico" "$root/tools/klaviro.nsi"
echo "Built $zip"
echo "Built $setup"
