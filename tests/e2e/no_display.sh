#!/usr/bin/env bash
# Without a display the game can neither play nor verify a recording: both
# say in one line that a display is needed and exit with status 3, instead
# of aborting in the graphics library.
# Usage: no_display.sh GAME_DIR RECORDING
set -uo pipefail
cd "$1"
fail=0
for args in "" "--verify-replay $2"; do
    # shellcheck disable=SC2086
    output=$(env -u DISPLAY ./vantreth $args 2>&1)
    status=$?
    if [ "$status" -ne 3 ] || ! grep -q "a display is needed" <<<"$output"; then
        echo "FAIL: 'vantreth $args' without a display exited with $status, saying:" >&2
        echo "$output" >&2
        fail=1
    fi
done
exit "$fail"
