#!/usr/bin/env bash
# klaviro-cli save: consecutive texts in the control-text file format (CR LF
# line ends), never over an existing file without --force, and never a
# half-written file in place of a good one.
. "$(dirname "$0")/lib.sh"

# The expected file, built from the text command: three empty lines, then per
# text its number, an empty line, the text in lines of W, an empty line.
expected() { # kind series groups first count width
    printf '\r\n\r\n\r\n'
    local k
    for ((k = $4; k < $4 + $5; k++)); do
        printf '%d\r\n\r\n' "$k"
        "$cli" text --kind "$1" --series "$2" --groups "$3" --number "$k" |
            fold -b -w "$6" | sed 's/$/\r/'
        printf '\r\n'
    done
}

"$cli" save --kind letters --number 10 --groups 5 --count 3 --width 12 "$tmp/l.txt"
expected letters training 5 10 3 12 >"$tmp/l.expected"
cmp "$tmp/l.txt" "$tmp/l.expected" || fail "letters 10..12, width 12"

# Defaults: one text, 20 groups, width 60 (four lines of 60 characters).
"$cli" save --kind mixed --number 9999999 --series competition "$tmp/m.txt"
expected mixed competition 20 9999999 1 60 >"$tmp/m.expected"
cmp "$tmp/m.txt" "$tmp/m.expected" || fail "mixed defaults"
[ "$(head -c 17 "$tmp/m.txt" | od -An -tx1 | tr -d ' \n')" = 0d0a0d0a0d0a393939393939390d0a0d0a ] ||
    fail "header bytes: $(head -c 17 "$tmp/m.txt" | od -An -c)"
[ "$(sed -n 6p "$tmp/m.txt" | tr -d '\r' | wc -c)" -eq 61 ] || fail "line of 60 characters"

# An existing file stays as it is without --force, and is replaced with it.
printf 'keep me\n' >"$tmp/exists.txt"
if "$cli" save --kind letters --number 1 "$tmp/exists.txt" 2>"$tmp/err"; then fail "overwrote without --force"; fi
grep -q 'force' "$tmp/err" || fail "no hint at --force: $(cat "$tmp/err")"
[ "$(cat "$tmp/exists.txt")" = 'keep me' ] || fail "existing file changed"
"$cli" save --kind letters --number 1 --force "$tmp/exists.txt"
expected letters training 20 1 1 60 >"$tmp/e.expected"
cmp "$tmp/exists.txt" "$tmp/e.expected" || fail "--force did not replace the file"

# A file of the user's named like a temporary is never taken over.
mkdir "$tmp/d"
printf 'mine\n' >"$tmp/d/good.txt.tmp"
printf 'good\n' >"$tmp/d/good.txt"
"$cli" save --kind letters --number 1 --force "$tmp/d/good.txt"
cmp -s "$tmp/d/good.txt" "$tmp/e.expected" || fail "--force beside a .tmp file did not replace the file"
[ "$(cat "$tmp/d/good.txt.tmp")" = 'mine' ] || fail "the user's good.txt.tmp was taken over"

# A failed write (the disk full, here a file size limit) leaves the good file
# and no temporary behind.
printf 'good\n' >"$tmp/d/good.txt"
if (trap '' XFSZ; ulimit -f 8; "$cli" save --kind letters --number 1 --count 100 --force "$tmp/d/good.txt") \
    2>"$tmp/err"; then fail "failed write reported as success"; fi
grep -q 'cannot write' "$tmp/err" || fail "message: $(cat "$tmp/err")"
[ "$(cat "$tmp/d/good.txt")" = 'good' ] || fail "good file damaged by a failed write"
[ "$(ls "$tmp/d" | tr '\n' ' ')" = 'good.txt good.txt.tmp ' ] || fail "left behind: $(ls "$tmp/d")"

# A pipe (or a device) is written into and stays what it is.
mkfifo "$tmp/d/pipe"
cat "$tmp/d/pipe" >"$tmp/piped.txt" &
reader=$!
"$cli" save --kind letters --number 1 --force "$tmp/d/pipe"
[ -p "$tmp/d/pipe" ] || { kill $reader; fail "the pipe was replaced by a file"; }
wait $reader
cmp -s "$tmp/piped.txt" "$tmp/e.expected" || fail "the pipe did not carry the texts"

# Unwritable targets: a missing directory, a directory as FILE.
if "$cli" save --kind letters --number 1 "$tmp/no/such/dir.txt" 2>"$tmp/err"; then fail "wrote into a missing directory"; fi
grep -q "$tmp/no/such/dir.txt" "$tmp/err" || fail "message does not name the file"
mkdir "$tmp/adir"
if "$cli" save --kind letters --number 1 --force "$tmp/adir" 2>/dev/null; then fail "wrote over a directory"; fi
[ -d "$tmp/adir" ] || fail "directory replaced"

# Option errors: non-zero exit, and no file.
expect_error() {
    local pattern=$1
    shift
    if "$cli" save "$@" 2>"$tmp/err"; then fail "accepted: $*"; fi
    grep -q -- "$pattern" "$tmp/err" || fail "message for '$*' lacks '$pattern': $(cat "$tmp/err")"
}
expect_error 'count' --kind letters --number 1 --count 101 "$tmp/x.txt"
expect_error 'width' --kind letters --number 1 --width 0 "$tmp/x.txt"
expect_error 'between 1 and 500' --kind letters --number 1 --width 501 "$tmp/x.txt"
expect_error 'run past' --kind letters --number 9999999 --count 3 "$tmp/x.txt"
expect_error 'FILE' --kind letters --number 1
expect_error 'FILE' --kind letters --number 1 "$tmp/x.txt" "$tmp/y.txt"
[ ! -e "$tmp/x.txt" ] || fail "a file was written despite an error"
"$cli" save --kind letters --number 9999999 --count 2 "$tmp/last.txt" || fail "texts up to 10000000 rejected"
