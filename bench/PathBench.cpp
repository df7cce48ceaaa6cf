// The enemies' route search and line of sight on a level-30 map, the game's
// versions beside the plain ones they replace. Run from the run directory.
#include "../tests/world/PathSearchReference.h"
#include "../tests/world/SightLineReference.h"
#include "core/Globals.h"
#include "world/Map.h"
#include "world/Maphandler.h"
#include "world/Pathfinding.h"
#include "world/SightLine.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdlib>
#include <vector>

namespace {

Map* level30() {
    Maphandler* handler = Maphandler::getInstance();
    std::srand(42);
    levelNumber = 30;
    handler->newMap(30);
    return handler->currentMap();
}

sf::Vector2f centre(int col, int row) {
    return {static_cast<float>(col) * 64.0f + 32.0f, static_cast<float>(row) * 64.0f + 32.0f};
}

// Search 0 runs corner to far corner; the others are chases of about 4, 8 and
// 14 tiles from free tiles spread over the map, the same for both versions.
struct Search {
    sf::Vector2f start, goal;
};

std::vector<Search> searches(const Map& m, int chaseTiles) {
    std::vector<Search> list;
    if (chaseTiles == 0)
        return {{centre(2, 2), centre(m.columns() - 3, m.rows() - 3)}};
    std::srand(7);
    while (list.size() < 64) {
        int col = std::rand() % m.columns(), row = std::rand() % m.rows();
        if (m.walls[static_cast<std::size_t>(col)][static_cast<std::size_t>(row)].kind == 1)
            continue;
        float angle = static_cast<float>(std::rand() % 628) / 100.0f;
        sf::Vector2f offset(std::cos(angle), std::sin(angle));
        list.push_back(
            {centre(col, row), centre(col, row) + offset * static_cast<float>(chaseTiles) * 64.0f});
    }
    return list;
}

void PathSearch(benchmark::State& state) {
    Map* m = level30();
    std::vector<Search> list = searches(*m, static_cast<int>(state.range(0)));
    std::size_t i = 0;
    for (auto _ : state) {
        const Search& s = list[i++ % list.size()];
        benchmark::DoNotOptimize(Pathfinding::getInstance()->findPath(s.start, s.goal, {40, 40}));
    }
}
BENCHMARK(PathSearch)->Arg(0)->Arg(4)->Arg(8)->Arg(14)->Unit(benchmark::kMicrosecond);

void PathSearchPlainLists(benchmark::State& state) {
    Map* m = level30();
    std::vector<Search> list = searches(*m, static_cast<int>(state.range(0)));
    std::size_t i = 0;
    for (auto _ : state) {
        const Search& s = list[i++ % list.size()];
        benchmark::DoNotOptimize(referencePath(m, s.start, s.goal, {40, 40}));
    }
}
BENCHMARK(PathSearchPlainLists)->Arg(0)->Arg(4)->Arg(8)->Arg(14)->Unit(benchmark::kMicrosecond);

// Sight lines of up to the aliens' 896-pixel range from free tiles.
std::vector<Search> sightLines(const Map& m) {
    std::vector<Search> list = searches(m, 8);
    std::srand(9);
    for (Search& s : list) {
        float angle = static_cast<float>(std::rand() % 628) / 100.0f;
        float length = static_cast<float>(std::rand() % 897);
        s.goal = s.start + sf::Vector2f(std::cos(angle), std::sin(angle)) * length;
    }
    return list;
}

void SightTest(benchmark::State& state) {
    Map* m = level30();
    std::vector<Search> list = sightLines(*m);
    std::size_t i = 0;
    for (auto _ : state) {
        const Search& s = list[i++ % list.size()];
        benchmark::DoNotOptimize(segmentHitsSolid(*m, s.start, s.goal));
    }
}
BENCHMARK(SightTest)->Unit(benchmark::kNanosecond);

void SightTestFullScan(benchmark::State& state) {
    Map* m = level30();
    std::vector<Search> list = sightLines(*m);
    std::size_t i = 0;
    for (auto _ : state) {
        const Search& s = list[i++ % list.size()];
        benchmark::DoNotOptimize(referenceSegmentHitsSolid(*m, s.start, s.goal));
    }
}
BENCHMARK(SightTestFullScan)->Unit(benchmark::kMicrosecond);

} // namespace
