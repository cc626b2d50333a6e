#!/usr/bin/env bash
# klaviro-cli texts: the translator's template where --out names it, never
# over a file without --force, and a clear refusal of a name that cannot be
# a language section.
. "$(dirname "$0")/lib.sh"

"$cli" texts --language Polish --out "$tmp/polish.cfg"
# One key line per pair of comments, the English in it, CR LF line ends.
keys=$(grep -v '^CodePage' "$tmp/polish.cfg" | grep -c '^[A-Za-z].* = ')
[ "$keys" -gt 400 ] || fail "only $keys keys"
[ "$(grep -c '^; ru: ' "$tmp/polish.cfg")" -eq "$keys" ] || fail "a key without its Russian"
[ "$(grep -c '^; en: ' "$tmp/polish.cfg")" -eq "$keys" ] || fail "a key without its English"
grep -q $'^\\[Polish\\]\r$' "$tmp/polish.cfg" || fail "no [Polish] section"
grep -q $'^CodePage = 65001\r$' "$tmp/polish.cfg" || fail "no CodePage line"
grep -A2 -q '^; ru: Тренировка по приему' "$tmp/polish.cfg" || fail "Russian not in UTF-8"
[ "$(grep -A2 '^; ru: Тренировка по приему' "$tmp/polish.cfg" | tail -1)" = $'PTI_01 = Reception training\r' ] ||
    fail "PTI_01 line"

# Standard output gives the same bytes; an existing file needs --force.
"$cli" texts --language Polish --out - | cmp - "$tmp/polish.cfg" || fail "stdout differs"
printf 'keep me\n' >"$tmp/exists.cfg"
if "$cli" texts --language Czech --out "$tmp/exists.cfg" 2>"$tmp/err"; then fail "overwrote without --force"; fi
[ "$(cat "$tmp/exists.cfg")" = 'keep me' ] || fail "existing file changed"
"$cli" texts --language Czech --out "$tmp/exists.cfg" --force
grep -q $'^\\[Czech\\]\r$' "$tmp/exists.cfg" || fail "--force did not replace the file"

for bad in "Pol]ish" "Default" ""; do
    if "$cli" texts --language "$bad" --out "$tmp/bad.cfg" 2>"$tmp/err"; then fail "accepted \"$bad\""; fi
    grep -q 'klaviro-cli texts: ' "$tmp/err" || fail "no message for \"$bad\": $(cat "$tmp/err")"
done
if "$cli" texts --language Polish 2>"$tmp/err"; then fail "ran without --out"; fi
grep -q -- '--out' "$tmp/err" || fail "no hint at --out"
[ ! -e "$tmp/bad.cfg" ] || fail "a refused call wrote a file"
