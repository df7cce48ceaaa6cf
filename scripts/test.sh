#!/usr/bin/env bash
# Sets the machine up, builds the game with warnings as errors and runs every
# test, then builds and runs them again under AddressSanitizer and UBSan, and
# runs the benchmarks once. Tests run on a virtual display when there is none.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
export ALSOFT_DRIVERS=null

source scripts/lib/display.sh

# SFML reports a failed OpenGL call and carries on; the call is ours, so the
# run fails, naming the lines. ctest keeps every test's output in LastTest.log.
no_gl_errors() {
    if grep -n "An internal OpenGL call failed" "$@"; then
        echo "== OpenGL errors in $*" >&2
        exit 1
    fi
}

scripts/setup.sh build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVANTRETH_WERROR=ON
echo "== format"
scripts/check-format.sh
echo "== tests"
(cd build && on_display ctest -j2 --output-on-failure --timeout 600) 2>&1 | tee build/ctest.log
no_gl_errors build/ctest.log build/Testing/Temporary/LastTest.log

echo "== tests under AddressSanitizer and UndefinedBehaviorSanitizer"
scripts/setup.sh build-asan -DCMAKE_BUILD_TYPE=Debug -DVANTRETH_WERROR=ON -DVANTRETH_SANITIZE=ON -DVANTRETH_BENCH=OFF \
    -DVANTRETH_ASSETS_FROM="$root/build/run"
# Each test sets its own sanitizer options; listing the tests needs no leak check.
# Recordings made by this build are verified by the normal build's game too.
(cd build-asan && VANTRETH_OTHER_GAME="$root/build/run/vantreth" ASAN_OPTIONS=detect_leaks=0 on_display ctest -j2 --output-on-failure --timeout 900) 2>&1 |
    tee build-asan/ctest.log
no_gl_errors build-asan/ctest.log build-asan/Testing/Temporary/LastTest.log

echo "== fuzzing the file readers"
scripts/fuzz.sh 100000

echo "== share of tests"
scripts/test-share.sh

echo "== benchmarks"
(cd build/run && on_display ../bench/vantreth_bench --benchmark_min_time=0.2) 2>&1 | tee build/bench.log
no_gl_errors build/bench.log
