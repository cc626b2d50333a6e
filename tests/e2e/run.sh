#!/usr/bin/env bash
# Runs every tests/e2e/*.e2e.sh with the build folder as argument; expects the
# Wine session (DISPLAY, WINEPREFIX) of tools/wine-session.sh to be running.
set -u
build=${1:?build folder}
here=$(cd "$(dirname "$0")" && pwd)
pass=0 fail=0
for t in "$here"/*.e2e.sh; do
    [ -e "$t" ] || continue
    name=$(basename "$t" .e2e.sh)
    echo "-- $name"
    started=$SECONDS
    if timeout 600 bash "$t" "$build"; then pass=$((pass + 1)); else echo "FAILED: $name"; fail=$((fail + 1)); fi
    echo "   ($name: $((SECONDS - started)) s)"
done
echo "$pass passed, $fail failed"
[ "$fail" -eq 0 ]
