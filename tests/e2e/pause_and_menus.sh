#!/usr/bin/env bash
# Plays through the menus around a level like a player: "New Game", F1 for
# the game-info overlay and again to close it, Escape for the pause menu,
# "Quit" to the main menu, the options and the highscore list opened and
# left with Escape, and finally "Exit". Each screen is photographed and
# known by its amber title or values; reaching the exit proves the way back.
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
    e2e_shot "$1"
}
# The amber in a screen's own place: the overlay's "Controls" heading, the
# pause menu's title, the options' values, the highscore list's title.
overlay() { e2e_amber "$1" 300 240 180 70; }
paused() { e2e_amber "$1" 800 120 300 90; }
options() { e2e_amber "$1" 1010 110 340 700; }
highscores() { e2e_amber "$1" 810 60 300 70; }

e2e_start_game
e2e_press 1550 80 256 108 "New Game"
shoot level
tap F1
shoot info_overlay
e2e_check "$(overlay level)" "<" 0.01 "the level shows the overlay's heading before F1"
e2e_check "$(overlay info_overlay)" ">" 0.05 "F1 did not open the game-info overlay"
tap F1
tap Escape
shoot pause_menu 6
e2e_check "$(overlay pause_menu)" "<" 0.01 "F1 did not close the overlay"
e2e_check "$(paused pause_menu)" ">" 0.05 "Escape did not open the pause menu"
# The pause menu's buttons slide in at the pace the level behind them is
# drawn; "Quit" is clicked until it has arrived. Clicks there on the main
# menu hit nothing.
e2e_point 960 775 # between the main menu's buttons as they slide past
for _ in 1 2 3 4 5 6 7 8; do
    click
    sleep 1
done
shoot main_menu 1
e2e_press 1550 824 256 108 "Options"
shoot options
e2e_check "$(options main_menu)" "<" 0.005 "the main menu shows option values"
e2e_check "$(options options)" ">" 0.01 "the options did not open from the main menu"
tap Escape
e2e_press 1550 576 256 108 "Highscores"
shoot highscores
e2e_check "$(highscores options)" "<" 0.05 "the options show the highscore title"
e2e_check "$(highscores highscores)" ">" 0.1 "the highscore list did not open"
tap Escape
e2e_press 1550 948 256 108 "Exit"

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
