#!/usr/bin/env bash
# Installs what a fresh Debian 12 machine lacks, then configures and builds
# the game into BUILD_DIR (default: build). Extra arguments go to CMake.
# Usage: scripts/setup.sh [BUILD_DIR] [CMAKE_ARGS...]
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build_dir=${1:-build}
shift || true

packages=(
    build-essential cmake ninja-build ccache pkg-config
    libsfml-dev libfreetype-dev libgl-dev libopenal1
    googletest libgtest-dev libbenchmark-dev
    fonts-blankenburg fonts-bebas-neue fonts-open-sans
    xvfb xauth xdotool imagemagick x11-utils
    file dpkg-dev clang-format
    lintian appstream desktop-file-utils man-db
)
# The fuzzers need clang and its libFuzzer runtime; playing does not.
if [ -n "${VANTRETH_FUZZ_PACKAGES:-}" ]; then
    packages+=(clang libclang-rt-14-dev)
fi
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo apt-get update -q
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

cd "$root"
# The compiler cache is shared by every clone of the project on this machine:
# paths are hashed relative to the clone and debug info names no build folder.
export CCACHE_BASEDIR="$root" CCACHE_NOHASHDIR=1
cmake -S . -B "$build_dir" -G Ninja "$@"
# VANTRETH_BUILD_TARGET builds one target instead of everything.
cmake --build "$build_dir" ${VANTRETH_BUILD_TARGET:+--target "$VANTRETH_BUILD_TARGET"}
