#!/usr/bin/env bash
# Starts the real game in a fresh copy of the run directory, waits for the
# main menu, points at "Exit" (which must light up) and clicks it like a
# player would, and checks the exit status, the start-up and shutdown lines
# and the new settings file.
# Usage: main_menu_exit.sh RUN_DIR ARTEFACT_DIR   (needs DISPLAY, xdotool, ImageMagick)
set -euo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
e2e_prepare "$1" "$2"
e2e_start_game
# Let the buttons finish sliding in before the picture is taken.
sleep 3
e2e_shot main_menu

# "Exit" is centred at (1550, 948) of the view; under the pointer its frame turns amber.
e2e_point 1550 948
# A busy machine may still be sliding the buttons in as the pointer arrives:
# a small move afterwards, as a player's hand makes, finds Exit under it.
sleep 1
e2e_point 1552 950
sleep 1.5
e2e_shot main_menu_hover
e2e_check "$(e2e_amber main_menu 1380 878 300 140)" "<" 0.005 "Exit is lit before the pointer is on it"
e2e_check "$(e2e_amber main_menu_hover 1380 878 300 140)" ">" 0.01 "Exit does not light up under the pointer"
e2e_click

for _ in $(seq 1 150); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
done
if kill -0 "$pid" 2>/dev/null; then
    echo "FAIL: the game did not exit after clicking Exit" >&2
    exit 1
fi
status=0
wait "$pid" || status=$?
pid=""
cp stdout.txt "$artefacts/stdout.txt"
cp stderr.txt "$artefacts/stderr.txt"
if [ "$status" -ne 0 ]; then
    echo "FAIL: exit status $status" >&2
    cat stderr.txt >&2
    exit 1
fi

expected=(
    "Contenthandler's constructor called"
    "Loading GFX"
    "Loading SFX"
    "GameStateHandler's constructor was called"
    "UI's constructor was called"
    "Camera's constructor was called"
    "Player's constructor was called"
    "InputState's constructor was called"
    "GameStateHandler's destructor was called"
    "Contenthandler's destructor was called"
    "UI's destructor was called"
    "Camera's destructor was called"
    "Player's destructor was called"
    "InputStateManager's destructor was called"
)
line=0
for want in "${expected[@]}"; do
    found=$(awk -v from="$line" -v want="$want" 'NR > from && $0 == want { print NR; exit }' stdout.txt)
    if [ -z "$found" ]; then
        echo "FAIL: \"$want\" missing or out of order in standard output:" >&2
        cat stdout.txt >&2
        exit 1
    fi
    line=$found
done
if grep -q "wtf ei ollu mappeja" stdout.txt; then
    echo "FAIL: the main menu asked for a map" >&2
    exit 1
fi

for key in "RESOL:" "CURRES:" "VOLUM:" "ANTIA: " "FULLS: " "VSYNC:" "HARDC:0" "PREVN:"; do
    grep -q "^$key" Config.cfg || { echo "FAIL: Config.cfg lacks $key" >&2; cat Config.cfg >&2; exit 1; }
done
cp Config.cfg "$artefacts/Config.cfg"
echo "main menu shown, Exit clicked, clean shutdown; screenshots in $artefacts"
