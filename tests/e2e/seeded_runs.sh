#!/usr/bin/env bash
# A seed makes the same level 1 in two processes of the real game (the
# "SaveData/map.txt" each writes is the same, and another seed's is not),
# and a code that is no seed is refused, saying why, before any window opens.
# Usage: seeded_runs.sh RUN_DIR ARTEFACT_DIR
set -euo pipefail
source "$(dirname "$0")/common.sh"
e2e_prepare "$1" "$2"

status=0
why=$(DISPLAY= ./vantreth --seed K7QX-M2PU 2>&1) || status=$?
[ "$status" -eq 2 ] || { echo "FAIL: a bad code exited with $status" >&2; exit 1; }
grep -q '"U" is not allowed in a seed' <<<"$why" || { echo "FAIL: a bad code printed: $why" >&2; exit 1; }

# level1 CODE NAME: starts a seeded run, keeps its level 1 layout as NAME and ends the game.
level1() {
    rm -f SaveData/map.txt
    ALSOFT_DRIVERS=${ALSOFT_DRIVERS:-null} ./vantreth --seed "$1" >stdout.txt 2>stderr.txt &
    pid=$!
    for _ in $(seq 1 600); do
        grep -q "Map generation took A TOTAL" stdout.txt && break
        sleep 0.1
    done
    kill "$pid" 2>/dev/null || true
    wait "$pid" || true
    pid=""
    [ -s SaveData/map.txt ] || { echo "FAIL: no level was generated for $1" >&2; cat stdout.txt stderr.txt >&2; exit 1; }
    cp SaveData/map.txt "$artefacts/$2"
}
level1 K7QX-M2PA first.txt
level1 "k7qx m2pa" second.txt
level1 K7QX-M2PB other.txt
cmp -s "$artefacts/first.txt" "$artefacts/second.txt" || { echo "FAIL: one seed made two level 1s" >&2; exit 1; }
! cmp -s "$artefacts/first.txt" "$artefacts/other.txt" || { echo "FAIL: two seeds made one level 1" >&2; exit 1; }
echo "one seed, one level 1 in two processes; a bad code refused with status 2"
