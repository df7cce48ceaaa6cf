#!/usr/bin/env bash
# Starts the real game in a fresh copy of the run directory, waits for the
# main menu, saves a screenshot, clicks "Exit" like a player would and checks
# the exit status, the start-up and shutdown lines and the new settings file.
# Usage: main_menu_exit.sh RUN_DIR ARTEFACT_DIR   (needs DISPLAY, xdotool, ImageMagick)
set -euo pipefail

run_dir=$(cd "$1" && pwd)
artefacts=$2
mkdir -p "$artefacts"
artefacts=$(cd "$artefacts" && pwd)
if [ -z "${DISPLAY:-}" ]; then
    echo "No display: run the tests under xvfb-run (scripts/test.sh does)." >&2
    exit 1
fi

work=$(mktemp -d)
pid=""
cleanup() {
    [ -n "$pid" ] && kill "$pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

cp -r "$run_dir"/. "$work"/
rm -f "$work/Config.cfg" "$work"/data/SaveData/* "$work"/SaveData/*
cd "$work"

ALSOFT_DRIVERS=${ALSOFT_DRIVERS:-null} ./vantreth >stdout.txt 2>stderr.txt &
pid=$!

wid=$(timeout 60 xdotool search --sync --onlyvisible --name '^Vantreth$' | head -n 1)
[ -n "$wid" ] || { echo "FAIL: the game window never appeared" >&2; exit 1; }
xdotool windowmove "$wid" 0 0
# Let the buttons finish sliding in before the picture is taken.
sleep 3
import -window root "$artefacts/main_menu.png"

eval "$(xdotool getwindowgeometry --shell "$wid")"
# The menu lives in a 1920 x 1080 view scaled to the window; "Exit" is centred at (1550, 850).
exit_x=$((X + 1550 * WIDTH / 1920))
exit_y=$((Y + 850 * HEIGHT / 1080))
xdotool mousemove "$exit_x" "$exit_y"
sleep 0.3
import -window root "$artefacts/main_menu_hover.png"
xdotool mousedown 1
sleep 0.15
xdotool mouseup 1

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
