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
cd "$root/build/run"
source "$root/scripts/lib/display.sh"
VANTRETH_RECORD_GOLDEN=1 on_display ../tests/vantreth_tests --gtest_filter='RecordGolden.*'
on_display ../tests/vantreth_tests --gtest_filter='GoldenRuns.*'
