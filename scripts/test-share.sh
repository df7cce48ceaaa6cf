#!/usr/bin/env bash
# Prints how many lines of tests there are against the code they test (src,
# tools and bench), counting lines that are neither blank nor only a comment
# in C++ sources and headers. Tests are meant to stay near a third of the code.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
count() {
    find "$@" -type f \( -name '*.cpp' -o -name '*.h' -o -name '*.hpp' \) -print0 |
        xargs -0 cat | grep -cvE '^\s*(//.*)?$'
}
tests=$(count tests)
code=$(count src tools bench)
echo "tests: $tests lines, code: $code lines, share $((100 * tests / code)) %"
