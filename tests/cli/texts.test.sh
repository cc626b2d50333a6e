#!/usr/bin/env bash
# klaviro-cli texts: the translator's template (its content is the core
# tests') where --out names it, never over a file without --force, and a
# clear refusal of a bad name or a missing --out, writing nothing.
. "$(dirname "$0")/lib.sh"

"$cli" texts --language Polish --out "$tmp/polish.cfg"
grep -q $'^\\[Polish\\]\r$' "$tmp/polish.cfg" || fail "no [Polish] section"
[ "$(grep -A2 '^; ru: Тренировка по приему' "$tmp/polish.cfg" | tail -1)" = $'PTI_01 = Reception training\r' ] ||
    fail "PTI_01 with its Russian and English"

# Standard output gives the same bytes; an existing file needs --force.
"$cli" texts --language Polish --out - | cmp - "$tmp/polish.cfg" || fail "stdout differs"
printf 'keep me\n' >"$tmp/exists.cfg"
if "$cli" texts --language Czech --out "$tmp/exists.cfg" 2>"$tmp/err"; then fail "overwrote without --force"; fi
[ "$(cat "$tmp/exists.cfg")" = 'keep me' ] || fail "existing file changed"
"$cli" texts --language Czech --out "$tmp/exists.cfg" --force
grep -q $'^\\[Czech\\]\r$' "$tmp/exists.cfg" || fail "--force did not replace the file"

if "$cli" texts --language "Pol]ish" --out "$tmp/bad.cfg" 2>"$tmp/err"; then fail "accepted Pol]ish"; fi
grep -q 'klaviro-cli texts: .*letters, digits' "$tmp/err" || fail "no message for a bad name: $(cat "$tmp/err")"
if "$cli" texts --language Polish 2>"$tmp/err"; then fail "ran without --out"; fi
grep -q -- '--out' "$tmp/err" || fail "no hint at --out"
[ ! -e "$tmp/bad.cfg" ] || fail "a refused call wrote a file"
