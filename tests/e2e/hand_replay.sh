#!/usr/bin/env bash
# A run played by hand on the real game with the keyboard: "New Game", the
# field manual closed, a walk, Escape and Enter in the pause menu (which restarts the level while no
# save exists), a walk, and back to the main menu, which ends its recording.
# Then saves appear on disk, which would light "Load Save" and "Load
# Autosave" had the menu asked the disk, and the recording must still verify
# in a fresh process.
# Usage: hand_replay.sh RUN_DIR ARTEFACT_DIR   (needs DISPLAY, xdotool, ImageMagick)
set -euo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
e2e_prepare "$1" "$2"
# Held long enough for a frame of a busy machine to see it.
key() {
    xdotool keydown "$1"
    sleep 0.3
    xdotool keyup "$1"
    sleep 0.5
}
walk() { # key, seconds
    xdotool keydown "$1"
    sleep "$2"
    xdotool keyup "$1"
}

# levels_placed N: waits until the game has placed the player in N levels,
# so that no key meant for a level reaches a menu still settling in on a busy
# machine (an Escape and a Return on the main menu would quit the game).
levels_placed() {
    for _ in $(seq 1 80); do
        [ "$(grep -cx "Etsii alkupaikkaa" stdout.txt)" -ge "$1" ] && return 0
        sleep 0.25
    done
    return 1
}

# Where the run is, for a log that ends in a timeout.
step() { echo "hand_replay: $1 after ${SECONDS}s" >&2; }

e2e_start_game
step "the main menu is drawn"
# The pointer rests where no button ever passes: the buttons slide in from
# the left into a column ending at x = 1678, and one passing under the
# pointer takes the focus from "New Game" (the first lit button, which Enter
# presses wherever the buttons are on their way). At (100, 1000), where it
# rested before, "Exit" swept under it and Enter quit the game.
e2e_point 1850 540
sleep 3
step "pressing Enter on \"New Game\""
key Return
levels_placed 1 || {
    import -window root "$artefacts/hand_replay_no_level.png"
    echo "FAIL: \"New Game\" never started a level (see hand_replay_no_level.png)" >&2
    kill -0 "$pid" 2>/dev/null && echo "the game still runs" >&2 || echo "the game has quit" >&2
    cat stdout.txt stderr.txt >&2
    exit 1
}
# The field manual opens over the first level a process plays; Escape closes it.
sleep 2
key Escape
walk d 1
key Escape
key Return # the pause menu's first lit button: "Restart level"
step "restarting the level"
levels_placed 2 || { echo "FAIL: \"Restart level\" never placed the player again" >&2; cat stdout.txt >&2; exit 1; }
sleep 1
walk s 1
key Escape
import -window root "$artefacts/hand_replay_pause.png"
for _ in 1 2 3; do key Down; done
import -window root "$artefacts/hand_replay_quit.png"
step "quitting to the main menu"
key Return # "Quit"
# The recording is written as the run leaves for the main menu.
for _ in $(seq 1 60); do
    compgen -G "data/Replays/*.vrp" >/dev/null && break
    sleep 0.25
done
kill "$pid" 2>/dev/null || true
wait "$pid" 2>/dev/null || true
pid=""

recordings=(data/Replays/*.vrp)
[ -f "${recordings[0]}" ] || { echo "FAIL: the run left no recording" >&2; cat stdout.txt >&2; exit 1; }
printf 'Difficulty:\n4\n' > data/SaveData/save.txt
printf 'Difficulty:\n2\n' > data/SaveData/autosave.txt
step "verifying ${recordings[0]}"
out=$(./vantreth --verify-replay "${recordings[0]}" 2>&1) || { echo "FAIL: $out" >&2; exit 1; }
grep "^replay ok: level 1," <<<"$out" || { echo "FAIL: $out" >&2; exit 1; }
