#!/usr/bin/env bash
# A short session of the real game the way a player has it: "New Game", walk,
# fire both hands and the taser, Escape to the pause menu, "Options", one step
# down of the music volume, "Back", "Quit" to the main menu and "Exit". The
# options are photographed before and after the step down, which must show
# on the music volume alone; the game must end with status 0 after its
# shutdown lines, and "Back" must not have written the unapplied music volume
# to the settings.
# Usage: play_and_quit.sh RUN_DIR ARTEFACT_DIR   (needs DISPLAY, xdotool, ImageMagick)
set -euo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
e2e_prepare "$1" "$2"
# Not a first start, so the help overlay does not open by itself.
printf 'RESOL:\n1920\n1080\nCURRES:0\nVOLUM:\n50\n50\nANTIA: 0\nFULLS: 0\nVSYNC:0\nHARDC:0\nPREVN:\n\n' >Config.cfg

# A level drawn by software renders only a few frames a second, and the game
# reads the devices once a frame: every key and button is held for a while.
hold_key() {
    xdotool keydown "$1"
    sleep "$2"
    xdotool keyup "$1"
    sleep 0.3
}
hold_buttons() { # seconds button...
    local t=$1
    shift
    for b in "$@"; do xdotool mousedown "$b"; done
    sleep "$t"
    for b in "$@"; do xdotool mouseup "$b"; done
    sleep 0.3
}
shot() {
    sleep "${2:-1}"
    e2e_shot "play_$1"
}

e2e_start_game
e2e_press 1550 80 256 108 "New Game"
# The level's people hunt the player: the time in it is kept short so that
# the session reaches the pause menu alive on any generated map.
sleep 1
hold_key d 0.6
hold_key s 0.4
e2e_point 1300 520
hold_buttons 0.8 1 3 # both hands
hold_buttons 0.5 2 # taser
hold_key Escape 0.6
sleep 5
# The pause menu's buttons slide in at the pace the level behind them is drawn.
e2e_point 960 450 # Options
for _ in 1 2 3 4 5 6; do
    hold_buttons 0.6 1
    sleep 0.5
done
shot options 2
e2e_point 910 150 # music "-"
hold_buttons 0.6 1
shot options_changed 1
# The values stand in the options' right column: music, then sound.
e2e_check "$(e2e_difference play_options play_options_changed 1120 120 120 70)" ">" 0.01 \
    "the music volume's - did not change the music volume"
e2e_check "$(e2e_difference play_options play_options_changed 1120 240 120 70)" "<" 0.005 \
    "the music volume's - changed the sound volume"
e2e_point 960 880 # Back
hold_buttons 0.6 1
sleep 3
e2e_point 960 750 # Quit
for _ in 1 2 3 4 5 6; do
    hold_buttons 0.6 1
    sleep 0.5
done
sleep 3
e2e_point 1550 948 # Exit
hold_buttons 0.6 1

for _ in $(seq 1 150); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
done
if kill -0 "$pid" 2>/dev/null; then
    echo "FAIL: the session did not end at the main menu's Exit" >&2
    exit 1
fi
status=0
wait "$pid" || status=$?
pid=""
cp stdout.txt "$artefacts/play_stdout.txt"
if [ "$status" -ne 0 ]; then
    echo "FAIL: exit status $status" >&2
    cat stderr.txt >&2
    exit 1
fi
for want in "GameStateHandler's destructor was called" "Contenthandler's destructor was called" \
            "Player's destructor was called" "InputStateManager's destructor was called"; do
    grep -qx "$want" stdout.txt || { echo "FAIL: \"$want\" missing from the shutdown" >&2; exit 1; }
done
# The line after "VOLUM:" holds the sound volume, the one after it the music's.
grep -q "^VOLUM:" Config.cfg && [ "$(sed -n '/^VOLUM:/{n;n;p}' Config.cfg)" = "50" ] ||
    { echo "FAIL: Back wrote the unapplied music volume" >&2; cat Config.cfg >&2; exit 1; }
echo "played, paused, changed the music volume, went back, quit and exited; screenshots in $artefacts"
