#!/usr/bin/env bash
# Builds the native tree (build/native) and the Windows tree (build/win).
# Usage: tools/build.sh [native|win|asan|all]   (default: all but asan)
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
what=${1:-default}
jobs=${JOBS:-2}
build_native() {
    cmake -S "$root" -B "$root/build/native" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKLAVIRO_WERROR=ON >/dev/null
    cmake --build "$root/build/native" -j "$jobs"
}
build_asan() {
    cmake -S "$root" -B "$root/build/asan" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKLAVIRO_SANITIZE=ON -DKLAVIRO_WERROR=ON >/dev/null
    cmake --build "$root/build/asan" -j "$jobs"
}
build_win() {
    cmake -S "$root" -B "$root/build/win" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKLAVIRO_WERROR=ON \
        -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" >/dev/null
    cmake --build "$root/build/win" -j "$jobs"
}
case "$what" in
    native) build_native ;;
    asan) build_asan ;;
    win) build_win ;;
    all) build_native; build_asan; build_win ;;
    default) build_native; build_win ;;
    *) echo "usage: $0 [native|win|asan|all]" >&2; exit 2 ;;
esac
