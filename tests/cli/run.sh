#!/usr/bin/env bash
# Runs every tests/cli/*.test.sh against the built klaviro-cli ($KLAVIRO_CLI).
set -u
here=$(cd "$(dirname "$0")" && pwd)
pass=0 fail=0
for t in "$here"/*.test.sh; do
    [ -e "$t" ] || continue
    if bash "$t"; then pass=$((pass + 1)); else echo "FAILED: $(basename "$t")"; fail=$((fail + 1)); fi
done
echo "$pass passed, $fail failed"
[ "$fail" -eq 0 ]
