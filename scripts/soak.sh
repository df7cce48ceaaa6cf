#!/usr/bin/env bash
# The long soak: the bot plays one run of many levels in the normal build
# (default 100), from the main menu on, and prints the frames, seconds and
# deaths of each level, then one line for the whole run: levels, frames,
# seconds, deaths, how often the bot was stuck and how many walls it broke.
# A level that takes more than 9000 frames stops the run with a map of where
# the bot stood. Not part of the test run; the test suite plays ten levels.
#
#     scripts/soak.sh [levels]
#
# Sets up and builds build/ first, as scripts/play.sh does (quick when it is
# up to date), so that a fresh clone soaks the code it holds.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
levels=${1:-100}
"$root/scripts/setup.sh" build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
export ALSOFT_DRIVERS=null
export VANTRETH_SOAK_LEVELS=$levels
cd "$root/build/run"
source "$root/scripts/lib/display.sh"
on_display ../tests/vantreth_tests --gtest_filter=Soak.TheBotPlaysARunOfTenLevels
