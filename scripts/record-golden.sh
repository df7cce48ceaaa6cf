#!/usr/bin/env bash
# Records the golden runs in tests/data again with the game as it is built
# now, then verifies them as the test run does. Run it when play changed on
# purpose, after raising replay::rulesRevision, and commit the recordings
# with the change that made them necessary.
#
#     scripts/record-golden.sh
#
# Needs a built tree in build/ (scripts/setup.sh build).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
export ALSOFT_DRIVERS=null
source "$root/scripts/lib/display.sh"
cmake --build "$root/build" --target vantreth_golden
# A scratch run directory: the recordings made on the way, the saves and the
# highscore table are its own, never the player's.
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cp -r "$root/build/run/." "$scratch/"
rm -rf "$scratch/Config.cfg" "$scratch/data/SaveData" "$scratch/data/Replays" "$scratch/SaveData"
mkdir -p "$scratch/data/SaveData" "$scratch/SaveData"
cd "$scratch"
for scenario in bot-five-levels keys-and-pad-menus hardcore-death; do
    on_display "$root/build/tools/vantreth_golden" "$scenario" "$root/tests/data"
done
cd "$root/build/run"
on_display ../tests/vantreth_tests --gtest_filter='GoldenRuns.*'
