#!/usr/bin/env bash
# Every command that makes a file keeps one promise: an existing file stays
# without --force and is replaced whole with it, a link is written through and
# stays a link, a pipe is written into and stays a pipe, a directory is
# refused, and - is standard output with the same bytes.
. "$(dirname "$0")/lib.sh"

printf '100\r\n\r\nA B C   \r\n\r\n' >"$tmp/Letters.txt"
printf 'abc' | "$cli" mark --control "$tmp/Letters.txt" --speed 100 --participant 'Jiří Dvořák' \
    --results "$tmp/Results.csv" - >/dev/null

# name|command line before the output|option naming the output (empty: last argument)
commands=(
    "save|save --kind letters --number 3|"
    "wav|wav --text T --speed 300 --delay 0|--out"
    "results|results $tmp/Results.csv|--html"
)
for row in "${commands[@]}"; do
    IFS='|' read -r name words option <<<"$row"
    d="$tmp/$name"
    mkdir "$d"
    # out TARGET [options]: the command with its output where it takes it.
    out() {
        local target=$1
        shift
        if [ -n "$option" ]; then set -- "$@" "$option" "$target"; else set -- "$@" "$target"; fi
        # shellcheck disable=SC2086
        "$cli" $words "$@" 2>"$d/err"
    }
    out "$d/ref" >/dev/null || fail "$name: $(cat "$d/err")"
    out - >"$d/stdout" || fail "$name -: $(cat "$d/err")"
    cmp -s "$d/stdout" "$d/ref" || fail "$name: - differs from the file"

    printf 'mine\n' >"$d/user"
    if out "$d/user" >/dev/null; then fail "$name: overwrote without --force"; fi
    grep -q -- '--force' "$d/err" || fail "$name: no hint at --force: $(cat "$d/err")"
    [ "$(cat "$d/user")" = mine ] || fail "$name: changed the file without --force"
    out "$d/user" --force >/dev/null || fail "$name --force: $(cat "$d/err")"
    cmp -s "$d/user" "$d/ref" || fail "$name: --force did not replace the file"

    printf 'old\n' >"$d/target"
    ln -s target "$d/link"
    out "$d/link" --force >/dev/null || fail "$name link: $(cat "$d/err")"
    [ -L "$d/link" ] || fail "$name: the link was replaced by a file"
    cmp -s "$d/target" "$d/ref" || fail "$name: the linked file was not written"

    mkfifo "$d/pipe"
    cat "$d/pipe" >"$d/piped" &
    reader=$!
    out "$d/pipe" --force >/dev/null || { kill $reader; fail "$name pipe: $(cat "$d/err")"; }
    wait $reader
    [ -p "$d/pipe" ] || fail "$name: the pipe was replaced"
    cmp -s "$d/piped" "$d/ref" || fail "$name: the pipe did not carry the file"

    mkdir "$d/adir"
    if out "$d/adir" --force >/dev/null; then fail "$name: wrote over a directory"; fi
    grep -q 'not a regular file' "$d/err" || fail "$name: directory message: $(cat "$d/err")"
    [ -d "$d/adir" ] || fail "$name: the directory was replaced"
    ls "$d" | grep -q KLAVIRO && fail "$name: a temporary was left: $(ls "$d")"
done
grep -q 'Jiří Dvořák' "$tmp/results/ref" || fail "the sheet lacks the participant"
if "$cli" results "$tmp/Results.csv" --force 2>"$tmp/err"; then fail "--force without --html accepted"; fi
echo "output ok"
