# Sourced by the sound tests: decodes Morse audio with an independent
# decoder (multimon-ng) and says what a text should decode to.

# morse_decode <dit ms> <sox input...>: prints the decoded text, one line.
# The decoder's timing resolves dits down to a few tens of milliseconds, so
# fast Morse is slowed down (tone and timing together) before decoding.
# MORSE_FILTER may hold sox effects to apply first (a band-pass for captures).
morse_decode() {
    local dit=$1 factor
    shift
    [ "$dit" -ge 1 ] || dit=1
    factor=$(((80 + dit - 1) / dit))
    sox -V1 "$@" -t raw -r 22050 -e signed -b 16 -c 1 - ${MORSE_FILTER:-} vol 0.5 speed "$(awk "BEGIN { printf \"%.6f\", 1 / $factor }")" pad 0 2 |
        multimon-ng -q -t raw -a MORSE_CW -d $((dit * factor)) -g $((dit * factor)) - 2>/dev/null |
        tr -s ' \n' ' ' | sed -e 's/^ //' -e 's/ $//'
}

# morse_expected <text in the sending format>: letters of a group run
# together, groups apart, and the run-together AR is the decoder's "+".
morse_expected() {
    printf '%s' "$1" | sed -e 's/   /|/g' -e 's/ //g' -e 's/|/ /g' -e 's/AR$/+/' -e 's/^ //' -e 's/ $//'
}
