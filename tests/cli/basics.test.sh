#!/usr/bin/env bash
# klaviro-cli answers --help and --version and rejects what it does not know.
set -eu
cli=${KLAVIRO_CLI:?}
"$cli" --help | grep -q 'Usage: klaviro-cli'
"$cli" --version | grep -Eq '^klaviro-cli [0-9]+\.[0-9]+\.[0-9]+$'
if "$cli" --no-such-option 2>/tmp/klaviro-cli-err.$$; then
    echo "unknown option accepted"; exit 1
fi
grep -q 'unknown' /tmp/klaviro-cli-err.$$
rm -f /tmp/klaviro-cli-err.$$
# Each command's --help prints its own usage and nothing else happens.
for command in text save wav; do
    out=$("$cli" "$command" --help) || { echo "$command --help failed"; exit 1; }
    echo "$out" | grep -q "^Usage: klaviro-cli $command [-(]" || { echo "$command --help: $out"; exit 1; }
done
"$cli" wav --out /nonexistent/x.wav --help | grep -q -- '--out FILE|-' || { echo "wav --help lacks --out"; exit 1; }
