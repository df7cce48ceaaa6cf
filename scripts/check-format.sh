#!/usr/bin/env bash
# Fails, naming each file, when a source file differs from what the house
# format (.clang-format) makes of it. Fix with: clang-format -i FILE...
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t files < <(git ls-files '*.cpp' '*.h' '*.hpp' 2>/dev/null || find src tests tools bench fuzz -name '*.cpp' -o -name '*.h')
differ=()
for f in "${files[@]}"; do
    [ -f "$f" ] || continue
    if ! clang-format --dry-run --Werror "$f" >/dev/null 2>&1; then
        differ+=("$f")
    fi
done
if [ ${#differ[@]} -gt 0 ]; then
    echo "These files are not in the house format (clang-format -i them):"
    printf '  %s\n' "${differ[@]}"
    exit 1
fi
echo "format: ${#files[@]} files in the house format"
