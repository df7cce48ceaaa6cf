#!/usr/bin/env bash
# The house's floors: the model (world, actors, items, effects) reports what
# happened and never reaches up into a screen, a game state or a menu;
# persistence reads and writes files and never reaches a game state. Prints
# every include that breaks this, with its file and line, and fails.
# Usage: tests/layering.sh [SOURCE_ROOT]   (default: the src beside this script)
set -euo pipefail
src=${1:-$(cd "$(dirname "$0")/../src" && pwd)}
cd "$src"

# Game states and menus: the state machinery, and every class built on it.
states=(app/GameState.h app/GameStateHandler.h app/MenuState.h app/MenuActions.h app/MenuButton.h)
while IFS= read -r header; do
    states+=("$header")
done < <(grep -rlE 'class [A-Za-z_]+ *: *public (GameState|MenuState)\b' --include='*.h' . | sed 's|^\./||' | sort)

# An include of a header named in the list (quoted, relative to src).
stateIncludes() {
    local pattern
    pattern=$(printf '%s\n' "${states[@]}" | sed 's/[.]/\\./g' | paste -sd'|')
    grep -rnE "^[[:space:]]*#[[:space:]]*include[[:space:]]*\"($pattern)\"" "$@" || true
}

bad=$( {
    grep -rnE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"screens/' world actors items effects || true
    stateIncludes world actors items effects
    stateIncludes persistence
} | sort -u)

if [ -n "$bad" ]; then
    echo "These includes reach from the model or persistence up into a screen, state or menu:"
    echo "$bad"
    exit 1
fi
echo "layering: the model and persistence include no screen, state or menu (${#states[@]} state headers checked)"
