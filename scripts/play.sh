#!/usr/bin/env bash
# Sets the machine up, builds the game and starts it from its run directory.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh" build -DCMAKE_BUILD_TYPE=RelWithDebInfo
if [ -z "${DISPLAY:-}" ]; then
    echo "No display found. To run the game on a virtual one:" >&2
    echo "  xvfb-run -a -s '-screen 0 1920x1080x24' scripts/play.sh" >&2
    exit 1
fi
cd "$root/build/run"
exec ./vantreth
