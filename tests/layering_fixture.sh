#!/usr/bin/env bash
# The floor check must be able to fail: on a tiny tree that keeps to the
# floors it passes, and each single wrong include (core reaching up into the
# world, a folder without a floor, a cycle inside core, the model reaching a
# menu) makes it fail.
set -uo pipefail
check=$(cd "$(dirname "$0")" && pwd)/layering.sh
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT

lay() { # the sound tree
    rm -rf "$tree"/*
    mkdir -p "$tree"/{core,world,app}
    printf '#pragma once\n' > "$tree/core/Timer.h"
    printf '#pragma once\n#include "core/Timer.h"\n' > "$tree/core/Camera.h"
    printf '#pragma once\n#include "core/Camera.h"\n' > "$tree/world/Map.h"
    printf '#pragma once\nclass MenuState {};\nclass PauseMenu : public MenuState {};\n' > "$tree/app/PauseMenu.h"
    printf '#include "app/PauseMenu.h"\n#include "world/Map.h"\n' > "$tree/app/Game.cpp"
}

lay
bash "$check" "$tree" >/dev/null || { echo "FAIL: a tree that keeps to the floors was refused" >&2; exit 1; }
fail=0
while IFS='|' read -r name file line; do
    lay
    mkdir -p "$(dirname "$tree/$file")"
    printf '%s\n' "$line" >> "$tree/$file"
    if bash "$check" "$tree" >/dev/null 2>&1; then
        echo "FAIL: not caught: $name" >&2
        fail=1
    fi
done <<'CASES'
core reaching the world|core/Timer.h|#include "world/Map.h"
a folder without a floor|world/Map.h|#include "misc/Thing.h"
a cycle inside core|core/Timer.h|#include "core/Camera.h"
the model reaching a menu|world/Map.h|#include "app/PauseMenu.h"
CASES
exit "$fail"
