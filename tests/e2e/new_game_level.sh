#!/usr/bin/env bash
# Starts the real game in a fresh copy of the run directory (without its
# SaveData folder), clicks "New Game" like a player, walks and sprints, and
# checks that a level was generated, dumped and entered: the generation and
# placement lines, "SaveData/map.txt" with one line per row, and the game
# still running inside the level.
# Usage: new_game_level.sh RUN_DIR ARTEFACT_DIR   (needs DISPLAY, xdotool, ImageMagick)
set -euo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
e2e_prepare "$1" "$2"
e2e_start_game
sleep 3
# "New Game" is centred at (1550, 90) of the view.
e2e_point 1550 90
e2e_click
sleep 2
import -window root "$artefacts/level_start.png"
xdotool keydown d
sleep 0.8
xdotool keyup d
xdotool keydown shift keydown s
sleep 1.5
xdotool keyup s keyup shift
sleep 0.3
import -window root "$artefacts/level_walked.png"

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
