#!/usr/bin/env bash
# Starts the real game in a fresh copy of the run directory (without its
# SaveData folder), clicks "New Game" like a player, closes the game-info
# overlay a first start opens, walks and sprints, and checks that a level was
# generated, dumped and entered: the generation and placement lines,
# "SaveData/map.txt" with one line per row, the game still running inside the
# level, and the view following the player: walking changes the picture far
# more than a second of standing still, walking back the other way when the
# start lies in a corner that holds the camera.
# Usage: new_game_level.sh RUN_DIR ARTEFACT_DIR   (needs DISPLAY, xdotool, ImageMagick)
set -euo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
e2e_prepare "$1" "$2"
e2e_start_game
# "New Game" is centred at (1550, 80) of the view.
e2e_press 1550 80 256 108 "New Game"
sleep 2
e2e_shot level_start
e2e_check "$(e2e_amber level_start 300 240 180 70)" ">" 0.05 "a first start did not open the game-info overlay"
e2e_click
# The level's title fades away first; then a second of standing still, and the walk.
sleep 8
e2e_shot level_still
sleep 1
e2e_shot level_still_later
xdotool keydown d
sleep 0.8
xdotool keyup d
xdotool keydown shift keydown s
sleep 1.5
xdotool keyup s keyup shift
sleep 0.3
e2e_shot level_walked
still=$(e2e_changed level_still level_still_later 200 250 1500 550)
enough=$(awk -v s="$still" 'BEGIN { print 2 * s + 0.02 }')
walked=$(e2e_changed level_still_later level_walked 200 250 1500 550)
# A start in the map's bottom-right corner holds the camera at the edges while
# the player walks right and down; walking back the other way must move it.
if ! awk -v w="$walked" -v e="$enough" 'BEGIN { exit !(w > e) }'; then
    xdotool keydown shift keydown a
    sleep 1.0
    xdotool keyup a
    xdotool keydown w
    sleep 1.5
    xdotool keyup w keyup shift
    sleep 0.3
    e2e_shot level_walked_back
    walked=$(e2e_changed level_walked level_walked_back 200 250 1500 550)
fi
e2e_check "$walked" ">" "$enough" "the view did not follow the player (standing still changed the picture by $still)"
# The stamina bar's full end (top left) is blue until a sprint drains it.
e2e_check "$(e2e_difference level_still_later level_walked 430 70 40 12)" ">" 0.2 "sprinting used no stamina"

kill -0 "$pid" 2>/dev/null || { echo "FAIL: the game ended inside the level" >&2; cat stderr.txt >&2; exit 1; }
kill "$pid"
wait "$pid" 2>/dev/null || true
pid=""
cp stdout.txt "$artefacts/level_stdout.txt"

for want in "Maphandler's constructor was called" "Etsii alkupaikkaa"; do
    grep -qx "$want" stdout.txt || { echo "FAIL: \"$want\" missing" >&2; cat stdout.txt >&2; exit 1; }
done
grep -Eq '^Map generation took [0-9]+ ms$' stdout.txt || { echo "FAIL: no map timing line" >&2; exit 1; }
grep -Eq '^Map generation took A TOTAL OF [0-9]+ ms$' stdout.txt || { echo "FAIL: no total timing line" >&2; exit 1; }
if grep -q "wtf ei ollu mappeja" stdout.txt; then
    echo "FAIL: a level frame ran without a map" >&2
    exit 1
fi

[ -f SaveData/map.txt ] || { echo "FAIL: SaveData/map.txt was not written" >&2; exit 1; }
lines=$(wc -l < SaveData/map.txt)
widths=$(LC_ALL=C awk '{ print length($0) }' SaveData/map.txt | sort -u | wc -l)
if [ "$lines" -lt 51 ] || [ "$lines" -gt 52 ] || [ "$widths" -ne 1 ]; then
    echo "FAIL: the level 1 dump has $lines lines of $widths different widths" >&2
    exit 1
fi
cp SaveData/map.txt "$artefacts/map.txt"

echo "level entered, $lines rows dumped; screenshots in $artefacts"
