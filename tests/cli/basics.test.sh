#!/usr/bin/env bash
# klaviro-cli answers --help and --version and rejects what it does not know.
. "$(dirname "$0")/lib.sh"
"$cli" --help | grep -q 'Usage: klaviro-cli'
"$cli" --version | grep -Eq '^klaviro-cli [0-9]+\.[0-9]+\.[0-9]+$'
if "$cli" --no-such-option 2>"$tmp/err"; then
    fail "unknown option accepted"
fi
grep -q 'unknown' "$tmp/err"
# Each command's --help prints its own usage and nothing else happens.
for command in text save wav; do
    out=$("$cli" "$command" --help) || { echo "$command --help failed"; exit 1; }
    echo "$out" | grep -q "^Usage: klaviro-cli $command [-(]" || { echo "$command --help: $out"; exit 1; }
done
"$cli" wav --out /nonexistent/x.wav --help | grep -q -- '--out FILE|-' || { echo "wav --help lacks --out"; exit 1; }
