#!/usr/bin/env bash
# The player's files in a run directory: settings, saves, highscores,
# recordings and the last level's dump. "record" writes a checksum of each
# (and the list of them) to SUMS; "compare" fails, naming the files, when any
# was added, changed or removed since.
# Usage: run_dir_files.sh record|compare RUN_DIR SUMS
set -euo pipefail
mode=$1
run_dir=$2
sums=$3

summed() {
    cd "$run_dir"
    local present=()
    for path in Config.cfg data/SaveData data/Replays SaveData; do
        [ -e "$path" ] && present+=("$path")
    done
    [ ${#present[@]} -gt 0 ] || return 0
    find "${present[@]}" -type f -print0 | sort -z | xargs -0 -r sha256sum
}

case "$mode" in
record) summed >"$sums" ;;
compare)
    [ -f "$sums" ] || { echo "FAIL: no checksums were taken before the tests ($sums)" >&2; exit 1; }
    if ! diff <(cat "$sums") <(summed) >&2; then
        echo "FAIL: the tests left, changed or removed files of $run_dir (< before, > after)" >&2
        exit 1
    fi
    echo "$(wc -l <"$sums") files of the run directory untouched"
    ;;
*) echo "usage: $0 record|compare RUN_DIR SUMS" >&2; exit 2 ;;
esac
