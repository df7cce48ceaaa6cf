#!/usr/bin/env bash
# The house's floors: core (random numbers, settings, bindings, input
# devices, timers, content registry, camera) at the bottom; the model
# (effects, items, world, actors) on it, which reports what happened and
# never reaches up into persistence, a screen, a game state or a menu;
# persistence (files only) above; the shell (app, screens) on top. An include
# may only reach its own floor or one below, every folder has a floor, and
# core has no cycle of its own (scripts/include-graph.sh --check). Wherever
# a state or menu class is declared, the model and persistence never include
# it. Prints every include that breaks this, with its file and line, and fails.
# Usage: tests/layering.sh [SOURCE_ROOT]   (default: the src beside this script)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
src=${1:-$here/../src}
src=$(cd "$src" && pwd)
if ! ranks=$("$here/../scripts/include-graph.sh" --check "$src"); then
    echo "These includes break the floors (core 0; effects, items, world, actors 1; persistence 2; app, screens 3):"
    echo "$ranks"
    exit 1
fi
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
    grep -rnE "^[[:space:]]*#[[:space:]]*include[[:space:]]*\"($pattern)\"" "$@" 2>/dev/null || true
}

bad=$( {
    grep -rnE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"screens/' world actors items effects 2>/dev/null || true
    stateIncludes world actors items effects
    stateIncludes persistence
} | sort -u)

if [ -n "$bad" ]; then
    echo "These includes reach from the model or persistence up into a screen, state or menu:"
    echo "$bad"
    exit 1
fi
echo "layering: every include keeps to the floors, core has no cycle, and the model and persistence include no screen, state or menu (${#states[@]} state headers checked)"
