#!/usr/bin/env bash
# Runs the benchmarks that carry a budget and prints one table: each figure in
# milliseconds (or MB), its budget where it has one, and its share of a 60 Hz
# frame (16.7 ms). Wall-clock times: run it on an otherwise idle machine. On a
# busy one, REPETITIONS=N runs every figure N times and reports the median.
# Usage: scripts/bench-report.sh [BUILD_DIR]   (default build; built first if missing)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
build=${1:-build}
[ -x "$build/bench/vantreth_bench" ] || scripts/setup.sh "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
export ALSOFT_DRIVERS=null

source scripts/lib/display.sh

# bench FILTER: the benchmark's CSV rows (the game's own log lines dropped),
# in its own process so that peak memory belongs to it alone.
results=$(mktemp)
trap 'rm -f "$results"' EXIT
repeat=()
[ -z "${REPETITIONS:-}" ] || repeat=(--benchmark_repetitions="$REPETITIONS" --benchmark_report_aggregates_only=true)
bench() {
    (cd "$build/run" && on_display ../bench/vantreth_bench --benchmark_filter="$1" --benchmark_format=csv \
        --benchmark_min_time=0.5 "${repeat[@]}" 2>/dev/null) | grep -E '^(name,|")' >>"$results" || true
}
bench '^StartupToFirstMenuFrame'
bench '^GenerateLevel/(1|30|60|100|200)$'
bench '^WorldStepAwake/(1|10|30|60|100|200)$'
bench '^WorldStepAwakeUnlit/(100|200)$'
bench '^LevelChange/(100|200)$'
bench '^FrameUpdateWithBot/(1|10|30|60)/'
bench '^PathSearch/0$'
bench '^RenderLights/30/'
bench '^(LevelFrame/|LevelFrameMaskShaded/|EmptyFrame|FullScreenPass)'
bench '^LevelFrameInTurns/'
bench '^PeakMemory/30/'
bench '^PeakMemory/100/'
bench '^PeakMemory/200/'
bench '^RecordFrame'
bench '^LevelEntry/(30|200)/'
bench '^LevelPace'
bench '^RunsPage/'

awk -F, '
function ms(v, unit) { return unit == "ns" ? v / 1e6 : unit == "us" ? v / 1e3 : unit == "s" ? v * 1e3 : v }
/^name,/ { delete col; for (i = 1; i <= NF; i++) { h = $i; gsub(/"/, "", h); col[h] = i } next }
{
    name = $1; gsub(/"/, "", name)
    # With repetitions only the medians count.
    if (name ~ /_(mean|stddev|cv)$/) next
    sub(/_median$/, "", name); sub(/\/iterations:.*|\/min_time:.*|\/real_time.*|\/process_time.*/, "", name)
    real[name] = ms($col["real_time"], $col["time_unit"]); cpu[name] = ms($col["cpu_time"], $col["time_unit"])
    if ("peak_MB" in col) peak[name] = $col["peak_MB"]
    if ("p99_ms" in col && $col["p99_ms"] != "") { pace["median"] = $col["median_ms"]; pace["p99"] = $col["p99_ms"]; pace["worst"] = $col["worst_ms"] }
    if ("game_p99_ms" in col && $col["game_p99_ms"] != "") { game["median"] = $col["game_median_ms"]; game["p99"] = $col["game_p99_ms"]; game["worst"] = $col["game_worst_ms"] }
    if ("passes" in col && $col["passes"] != "") turns[name] = $col["passes"]
    if ("MB_per_10min_at_60Hz" in col && $col["MB_per_10min_at_60Hz"] != "") recorded = $col["MB_per_10min_at_60Hz"]
}
function row(label, key, budget,   share) {
    if (!(key in real)) { printf "| %-38s | %12s | %10s | %9s | %8s |\n", label, "missing", "", budget, ""; return }
    share = real[key] / 16.667 * 100
    printf "| %-38s | %9.3f ms | %7.3f ms | %9s | %7.1f%% |\n", label, real[key], cpu[key], budget, share
}
END {
    printf "| %-38s | %12s | %10s | %9s | %8s |\n", "Figure", "Wall time", "CPU time", "Budget", "of 16.7ms"
    printf "|%s|%s|%s|%s|%s|\n", "----------------------------------------", "--------------", "------------", "-----------", "----------"
    row("Start-up to first menu frame", "StartupToFirstMenuFrame", "1000 ms")
    row("Map generation, level 1", "GenerateLevel/1", "")
    row("Map generation, level 30", "GenerateLevel/30", "")
    row("Map generation, level 60", "GenerateLevel/60", "30 ms")
    row("Map generation, level 100", "GenerateLevel/100", "")
    row("Map generation, level 200", "GenerateLevel/200", "100 ms")
    row("Level teardown, level 100", "LevelChange/100", "")
    row("Level teardown, level 200", "LevelChange/200", "50 ms")
    row("World update, level 1 (enemies awake)", "WorldStepAwake/1", "")
    row("World update, level 10 (enemies awake)", "WorldStepAwake/10", "")
    row("World update, level 30 (enemies awake)", "WorldStepAwake/30", "0.5 ms")
    row("World update, level 60 (enemies awake)", "WorldStepAwake/60", "")
    row("World update, level 100 (all awake)", "WorldStepAwake/100", "")
    row("World update, level 200 (all awake)", "WorldStepAwake/200", "1.5 ms")
    row("  the same without the light map", "WorldStepAwakeUnlit/200", "0.5 ms")
    row("World update, level 100, no light map", "WorldStepAwakeUnlit/100", "")
    row("Frame update, bot playing, level 1", "FrameUpdateWithBot/1", "")
    row("Frame update, bot playing, level 10", "FrameUpdateWithBot/10", "")
    row("Frame update, bot playing, level 30", "FrameUpdateWithBot/30", "")
    row("Frame update, bot playing, level 60", "FrameUpdateWithBot/60", "")
    row("Path search across a level-30 map", "PathSearch/0", "")
    row("Light map, level 30", "RenderLights/30", "")
    row("Full frame, level 1, 1920 x 1080", "LevelFrame/1", "")
    row("Full frame, level 30, 1920 x 1080", "LevelFrame/30", "")
    row("Full frame, level 60, 1920 x 1080", "LevelFrame/60", "")
    row("  level 30, mask all through its shader", "LevelFrameMaskShaded/30", "")
    row("Empty frame (clear + display)", "EmptyFrame", "")
    row("One full-screen pass (draw + display)", "FullScreenPass", "")
    row("Recording one frame of a run", "RecordFrame", "")
    row("Runs page, 10,000 runs, history tab", "RunsPage/10000/0", "50 ms")
    row("Runs page, 10,000 runs, statistics tab", "RunsPage/10000/1", "50 ms")
    if (recorded != "")
        printf "| %-38s | %9.2f MB | %10s | %9s | %8s |\n", "Recording of a 10-minute level", recorded, "", "1 MB", ""
    if (("LevelFrame/30" in real) && ("FullScreenPass" in real) && real["FullScreenPass"] > 0)
        for (i = 1; i <= 3; i++) {
            split("1 30 60", frames, " "); key = "LevelFrame/" frames[i]
            if (key in real)
                printf "| %-38s | %10.2f x | %10s | %9s | %8s |\n", "Level-" frames[i] " frame in full-screen passes",
                    real[key] / real["FullScreenPass"], "", frames[i] == 30 ? "2.5 x" : "", ""
        }
    for (i = 1; i <= 3; i++) {
        split("1 30 60", frames, " "); key = "LevelFrameInTurns/" frames[i]
        if (key in turns)
            printf "| %-38s | %10.2f x | %10s | %9s | %8s |\n", "  level " frames[i] ", frame and pass in turns",
                turns[key], "", frames[i] == 30 ? "2.5 x" : "", ""
    }
    row("Continue to first frame, level 30", "LevelEntry/30", "100 ms")
    row("Continue to first frame, level 200", "LevelEntry/200", "250 ms")
    if ("median" in pace) {
        printf "| %-38s | %9.2f ms | %10s | %9s | %8s |\n", "Level-30 minute at cap 30: median gap", pace["median"], "", "", ""
        printf "| %-38s | %9.2f ms | %10s | %9s | %8s |\n", "  99th percentile gap", pace["p99"], "", sprintf("%.1f ms", 1.5 * pace["median"]), ""
        printf "| %-38s | %9.2f ms | %10s | %9s | %8s |\n", "  worst gap", pace["worst"], "", "50 ms", ""
    }
    if ("median" in game) {
        printf "| %-38s | %9.2f ms | %10s | %9s | %8s |\n", "  the same, the bot thinking left out", game["median"], "", "", ""
        printf "| %-38s | %9.2f ms | %10s | %9s | %8s |\n", "  99th percentile gap", game["p99"], "", sprintf("%.1f ms", 1.5 * game["median"]), ""
        printf "| %-38s | %9.2f ms | %10s | %9s | %8s |\n", "  worst gap", game["worst"], "", "50 ms", ""
    }
    split("30 100 200", levels, " "); split("250 MB,,500 MB", budgets, ",")
    for (i = 1; i <= 3; i++) {
        key = "PeakMemory/" levels[i]
        if (key in peak)
            printf "| %-38s | %9.1f MB | %10s | %9s | %8s |\n", "Peak memory, level " levels[i], peak[key], "", budgets[i], ""
    }
}' "$results"
