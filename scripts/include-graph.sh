#!/usr/bin/env bash
# The house's floors as the includes show them. Every quoted include of
# src/ is an edge between components (a class's .h and .cpp are one
# component) and between folders. Prints the folder graph (how many include
# lines run from each folder to each other), the include lines that run
# upward against the floors' ranks, and every cycle of components (a group of
# components that include each other round in a circle).
#
#     scripts/include-graph.sh [--check] [SOURCE_ROOT]
#
# The ranks: core 0; effects, items, world, actors 1; persistence 2; app,
# screens 3. An include may reach its own rank or a lower one. With --check
# it prints only the faults and fails on an upward include, a folder without
# a rank, or a cycle among the components of core (tests/layering.sh).
set -euo pipefail
check=0
if [ "${1:-}" = "--check" ]; then
    check=1
    shift
fi
src=${1:-$(cd "$(dirname "$0")/../src" && pwd)}
cd "$src"

# "file line target" for every quoted include of a file under a folder.
grep -rnE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"[^"]+"' --include='*.h' --include='*.cpp' . |
    sed -E 's|^\./||; s|^([^:]+):([0-9]+):[^"]*"([^"]+)".*|\1 \2 \3|' |
    awk -v check="$check" '
function folder(path) { sub(/\/.*/, "", path); return path }
function component(path) { sub(/\.(h|cpp)$/, "", path); return path }
function rank(f) {
    if (f == "core") return 0
    if (f == "effects" || f == "items" || f == "world" || f == "actors") return 1
    if (f == "persistence") return 2
    if (f == "app" || f == "screens") return 3
    return -1
}
{
    from = folder($1); to = folder($3)
    if (index($1, "/") == 0) next # main.cpp
    if (from != to) folders[from " -> " to]++
    if (rank(to) < 0 || rank(from) < 0 || rank(to) > rank(from)) {
        upward[++ups] = $1 ":" $2 ": includes \"" $3 "\""
    }
    a = component($1); b = component($3)
    if (a != b && !((a, b) in seen)) {
        seen[a, b] = 1
        out[a] = out[a] " " b
        nodes[a] = 1; nodes[b] = 1
    }
}
# Tarjan: the strongly connected components of more than one member are the cycles.
function visit(v,    list, n, i, w) {
    index_[v] = lowlink[v] = ++counter
    stack[++top] = v; onstack[v] = 1
    n = split(out[v], list, " ")
    for (i = 1; i <= n; i++) {
        w = list[i]
        if (!(w in index_)) {
            visit(w)
            if (lowlink[w] < lowlink[v]) lowlink[v] = lowlink[w]
        } else if (onstack[w] && index_[w] < lowlink[v]) lowlink[v] = index_[w]
    }
    if (lowlink[v] == index_[v]) {
        members = ""; size = 0
        do { w = stack[top--]; onstack[w] = 0; members = members " " w; size++ } while (w != v)
        if (size > 1) cycles[++cycleCount] = size " components:" members
    }
}
END {
    for (v in nodes) if (!(v in index_)) visit(v)
    if (check) {
        faults = ups
        for (i = 1; i <= ups; i++) print upward[i]
        for (i = 1; i <= cycleCount; i++)
            if (cycles[i] ~ / core\//) { print "a cycle in core: " cycles[i]; faults++ }
        exit faults > 0
    }
    print "Folder graph (include lines from -> to):"
    for (k in folders) printf "  %-28s %d\n", k, folders[k] | "sort"
    close("sort")
    printf "Include lines running upward or into a folder without a rank: %d\n", ups
    for (i = 1; i <= ups; i++) print "  " upward[i]
    printf "Cycles of components: %d\n", cycleCount
    for (i = 1; i <= cycleCount; i++) print "  " cycles[i]
}'
