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
