#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test: the native
# tests, the core tests again under AddressSanitizer and
# UndefinedBehaviorSanitizer, the Windows tests under Wine, and the
# end-to-end scripts. Starts its own Xvfb and Wine prefix and stops them.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/install-deps.sh"
"$root/tools/build.sh" all
"$root/tools/package.sh" --no-build

echo "== Native tests"
ctest --test-dir "$root/build/native" --output-on-failure -j 2

echo "== Core tests with AddressSanitizer and UndefinedBehaviorSanitizer"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --test-dir "$root/build/asan" --output-on-failure -j 2

. "$root/tools/wine-session.sh"
wine_session_start "$root/build"
trap wine_session_stop EXIT

echo "== Windows tests under Wine"
ctest --test-dir "$root/build/win" --output-on-failure

echo "== The texts on an English Windows (code page 1252, no Russian locale)"
wine-en "$root/build/win/tests/klaviro_win_tests.exe" --gtest_brief=1 --gtest_filter='AnyWindows*'

echo "== End-to-end tests"
"$root/tests/e2e/run.sh" "$root/build"

echo "== Benchmarks"
"$root/build/native/tests/klaviro-bench" --benchmark_min_time=0.2
for bench in "$root"/build/win/tests/*Bench.exe; do
    [ -e "$bench" ] && wine "$bench"
done
