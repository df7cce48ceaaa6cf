#!/usr/bin/env bash
# Plays through the menus around a level like a player: "New Game", F1 for
# the game-info overlay and again to close it, Escape for the pause menu,
# "Quit" to the main menu, the options and the highscore list opened and
# left with Escape, and finally "Exit". Reaching the exit proves every step
# landed where it should; a screenshot of each screen is kept.
# Usage: pause_and_menus.sh RUN_DIR ARTEFACT_DIR   (needs DISPLAY, xdotool, ImageMagick)
set -euo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
e2e_prepare "$1" "$2"
# Not a first start, so no overlay opens by itself in the middle of the run.
printf 'RESOL:\n1920\n1080\nCURRES:0\nVOLUM:\n50\n50\nANTIA: 0\nFULLS: 0\nVSYNC:0\nHARDC:0\nPREVN:\n\n' >Config.cfg

# Holds a key or the left button across several frames: the game reads them
# once a frame, and a level drawn by software renders only a few a second.
tap() {
    xdotool keydown "$1"
    sleep 0.6
    xdotool keyup "$1"
    sleep 0.6
}
click() {
    xdotool mousedown 1
    sleep 0.6
    xdotool mouseup 1
    sleep 0.6
}
shoot() {
    sleep "${2:-3}"
    import -window root "$artefacts/$1.png"
}

e2e_start_game
sleep 3
e2e_point 1550 90 # New Game
click
sleep 3
tap F1
shoot info_overlay
tap F1
tap Escape
shoot pause_menu 6
# The pause menu's buttons slide in at the pace the level behind them is
# drawn; "Quit" is clicked until it has arrived. Clicks there on the main
# menu hit nothing.
e2e_point 960 775 # between the main menu's buttons as they slide past
for _ in 1 2 3 4 5 6 7 8; do
    click
    sleep 1
done
e2e_point 1550 790 # Options
click
shoot options
tap Escape
sleep 2
e2e_point 1550 510 # Highscores
click
shoot highscores
tap Escape
sleep 2
e2e_point 1550 930 # Exit
click

for _ in $(seq 1 150); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
done
if kill -0 "$pid" 2>/dev/null; then
    echo "FAIL: the menus did not lead back to the main menu's Exit" >&2
    exit 1
fi
status=0
wait "$pid" || status=$?
pid=""
cp stdout.txt "$artefacts/menus_stdout.txt"
if [ "$status" -ne 0 ]; then
    echo "FAIL: exit status $status" >&2
    cat stderr.txt >&2
    exit 1
fi
echo "overlay, pause, options, highscores and back again; screenshots in $artefacts"
