#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (AddressSanitizer + UBSan) into
# build-fuzz and runs each one from its seed corpus in fuzz/corpus/.
# Usage: scripts/fuzz.sh [RUNS_PER_TARGET]   (default 100000, as in the test run)
#        scripts/fuzz.sh 0 SECONDS           (run each target for SECONDS instead)
# New inputs found go to build-fuzz/corpus/, never into the repository's seeds;
# a crash leaves its input in build-fuzz/ and fails the script.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
runs=${1:-100000}
seconds=${2:-0}

VANTRETH_FUZZ_PACKAGES=1 VANTRETH_BUILD_TARGET=fuzz_targets scripts/setup.sh build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++ -DVANTRETH_FUZZ=ON -DVANTRETH_TESTS=OFF -DVANTRETH_BENCH=OFF \
    -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined"

export ASAN_OPTIONS=detect_leaks=1
export ALSOFT_DRIVERS=null
export UBSAN_OPTIONS=print_stacktrace=1
for seeds in fuzz/corpus/*/; do
    name=$(basename "$seeds")
    target=$(find build-fuzz/fuzz -maxdepth 1 -type f -iname "${name}*Fuzz" | head -n 1)
    [ -n "$target" ] || { echo "no fuzz target for corpus $name" >&2; exit 1; }
    work="build-fuzz/corpus/$name"
    mkdir -p "$work"
    limit=(-runs="$runs")
    [ "$seconds" -gt 0 ] && limit=(-max_total_time="$seconds")
    echo "== fuzzing $(basename "$target") (${limit[*]})"
    (cd build-fuzz && "$root/$target" "${limit[@]}" -timeout=10 -max_len=8192 -print_final_stats=0 \
        "$root/$work" "$root/$seeds" 2>&1 | tail -n 3)
done
