#!/usr/bin/env bash
# The side tone under Wine, with ALSA's file plugin as the sound card: key-downs
# at known moments are heard, and the median time from key to tone, read from
# the captured sound, stays within the bound Wine's mixer allows here (about
# 75 ms measured; the side tone's own share is about 10 ms). A run that misses
# (the machine busy) is repeated once.
set -eu
. "$(dirname "$0")/lib.sh"
e2e_begin side-tone "$1"
bound=120
for attempt in 1 2; do
    if python3 "$here/side_tone_latency.py" "$build" "$bound"; then
        exit 0
    fi
done
fail "the side tone was not heard within $bound ms of the key"
