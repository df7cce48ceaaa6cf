#!/usr/bin/env bash
# The long soak: the bot plays one run of many levels in the normal build
# (default 50), from the main menu on, and prints the frames and seconds each
# level took, its deaths and where it got stuck. Not part of the test run;
# the test suite plays ten levels.
#
#     scripts/soak.sh [levels]
#
# Needs a built tree in build/ (scripts/test.sh or scripts/setup.sh build).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
levels=${1:-50}
export ALSOFT_DRIVERS=null
export VANTRETH_SOAK_LEVELS=$levels
cd "$root/build/run"
source "$root/scripts/lib/display.sh"
on_display ../tests/vantreth_tests --gtest_filter=Soak.TheBotPlaysARunOfTenLevels
