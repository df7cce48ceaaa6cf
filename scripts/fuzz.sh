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

# The save reader builds weapons, which load their sounds and textures: the
# targets run in a run directory with the assets (the normal build's, when
# there is one) and on a virtual display when there is no real one.
run_dir="$root/build/run"
[ -d "$run_dir/Graphics" ] || { cmake --build build-fuzz --target vantreth_assets >/dev/null; run_dir="$root/build-fuzz/run"; }
source scripts/lib/display.sh
export ALSOFT_DRIVERS=null LP_NUM_THREADS=0
export ASAN_OPTIONS=detect_leaks=1:verify_asan_link_order=0
export LSAN_OPTIONS="suppressions=$root/tests/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS=print_stacktrace=1
preload="$root/build-fuzz/fuzz/libfuzz_keep_modules.so"
for seeds in fuzz/corpus/*/; do
    name=$(basename "$seeds")
    target=$(find build-fuzz/fuzz -maxdepth 1 -type f -iname "${name}*Fuzz" | head -n 1)
    [ -n "$target" ] || { echo "no fuzz target for corpus $name" >&2; exit 1; }
    work="build-fuzz/corpus/$name"
    mkdir -p "$work"
    limit=(-runs="$runs")
    [ "$seconds" -gt 0 ] && limit=(-max_total_time="$seconds")
    echo "== fuzzing $(basename "$target") (${limit[*]})"
    log="$root/build-fuzz/$name.log"
    if ! (cd "$run_dir" && on_display env LD_PRELOAD="$preload" "$root/$target" "${limit[@]}" -timeout=10 \
            -max_len=8192 -artifact_prefix="$root/build-fuzz/$name-" "$root/$work" "$root/$seeds" >"$log" 2>&1); then
        tail -n 60 "$log"
        echo "FAIL: $(basename "$target") found a fault; its input is in build-fuzz/" >&2
        exit 1
    fi
    grep -E "^Done" "$log" || tail -n 1 "$log"
done
