# Sourced first by every command-line test: the program under test ($cli), a
# folder of the test's own ($tmp, removed at the end, read-only parts too),
# fail, and the Morse decoder.
set -eu
cli=${KLAVIRO_CLI:?}
tmp=$(mktemp -d)
trap 'chmod -R u+w "$tmp" 2>/dev/null; rm -rf "$tmp"' EXIT
test_name=$(basename "$0" .test.sh)
fail() {
    echo "$test_name: $*"
    exit 1
}
. "$(dirname "${BASH_SOURCE[0]}")/morse_decode.sh"

# unit_of <wav summary>: the unit in samples that the summary names.
unit_of() {
    local out=$1
    out=${out##*unit }
    echo "${out%% *}"
}
