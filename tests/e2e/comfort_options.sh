#!/usr/bin/env bash
# Changes comfort options on their page like a player (screen shake down a
# step, the frame counter on), leaves the game, starts it again and changes
# them once more: the second change can only land where it does if the
# first was kept across the start.
# Usage: comfort_options.sh RUN_DIR ARTEFACT_DIR   (needs DISPLAY, xdotool, ImageMagick)
set -euo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
e2e_prepare "$1" "$2"
# Not a first start, and written before the comfort options existed.
printf 'RESOL:\n1920\n1080\nCURRES:0\nVOLUM:\n50\n50\nANTIA: 0\nFULLS: 0\nVSYNC:0\nHARDC:0\nPREVN:\n\n' >Config.cfg

escape() {
    xdotool keydown Escape
    sleep 0.3
    xdotool keyup Escape
    sleep 1.5
}
# One visit to the page from the main menu: shake down a step, toggle the counter, back out, exit.
visit() {
    e2e_start_game
    e2e_press 1550 824 256 108 "Options on the main menu"
    e2e_press 720 880 228 128 "Comfort on the options page"
    e2e_wait_unlit 720 880 228 128 "the options page never gave way to the comfort page"
    e2e_press 910 150 80 64 "Screen shake -"
    e2e_press 1450 750 128 64 "the frame counter's Toggle"
    escape
    escape
    e2e_press 1550 948 256 108 "Exit on the main menu"
    for _ in $(seq 1 100); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    if kill -0 "$pid" 2>/dev/null; then
        echo "FAIL: the game did not exit after visit $1" >&2
        exit 1
    fi
    wait "$pid" || { echo "FAIL: exit status $? after visit $1" >&2; exit 1; }
    pid=""
}
expect() {
    grep -qx "$1" Config.cfg || { echo "FAIL: Config.cfg lacks $1 $2" >&2; cat Config.cfg >&2; exit 1; }
}

visit first
expect SHAKE:90 "after the first visit"
expect SHOWFPS:1 "after the first visit"
expect RESOL: "(the other settings)"
visit second
expect SHAKE:80 "after the second visit: the first change was lost"
expect SHOWFPS:0 "after the second visit: the first change was lost"
echo "comfort options kept across a restart"
