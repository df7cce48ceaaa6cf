#!/usr/bin/env bash
# The keyboard alone, as a player without a mouse: from the main menu to the
# options and on to the controls screen, Pause moved to "P", back out with
# Escape, "New Game", "P" in the level opens the pause menu, its options
# opened and left, "Quit", and "Exit". The game leaving proves every step
# landed where it should; the new binding must be in Config.cfg.
# Usage: controls_keyboard.sh RUN_DIR ARTEFACT_DIR   (needs DISPLAY, xdotool, ImageMagick)
set -euo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
e2e_prepare "$1" "$2"
# Not a first start, so no overlay opens by itself in the middle of the run.
printf 'RESOL:\n1920\n1080\nCURRES:0\nVOLUM:\n50\n50\nANTIA: 0\nFULLS: 0\nVSYNC:0\nHARDC:0\nPREVN:\n\n' >Config.cfg

# Held across several frames: the game reads the keyboard once a frame, and
# a level drawn by software renders only a few a second.
tap() {
    for key in "$@"; do
        xdotool keydown "$key"
        sleep 0.5
        xdotool keyup "$key"
        sleep 0.5
    done
}

e2e_start_game
# The pointer rests right of the buttons' column, where none passes as they
# slide in from the left, so only the keys steer the focus.
e2e_point 1850 540
sleep 3
tap Up Up # "New Game" wraps to "Exit", then "Options"
tap Return
sleep 1
tap Up Right # the first row wraps to "Back", then "Controls" ("Apply" is grey)
tap Return
sleep 1
tap Down Down Down Down Down Down Down Down Down Down # the row of "Pause"
tap Return p
tap Escape Escape # the controls screen, then the options
sleep 1
tap Return # "New Game"
sleep 6
tap p
sleep 4
tap Down Return # "Restart level" to "Options", opened
sleep 1
tap Escape
sleep 2
tap Up Return # "Quit"
sleep 3
tap Up Return # "Exit"

for _ in $(seq 1 150); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
done
if kill -0 "$pid" 2>/dev/null; then
    # Where it stuck, for whoever looks into the failure.
    e2e_shot keyboard_stuck
    echo "FAIL: the keyboard did not lead through the menus and the level to Exit" >&2
    exit 1
fi
status=0
wait "$pid" || status=$?
pid=""
if [ "$status" -ne 0 ]; then
    echo "FAIL: exit status $status" >&2
    cat stderr.txt >&2
    exit 1
fi
if ! grep -qx 'KEYS:Pause=P' Config.cfg; then
    echo "FAIL: the new binding was not saved" >&2
    grep '^KEYS' Config.cfg >&2
    exit 1
fi
echo "PASS"
