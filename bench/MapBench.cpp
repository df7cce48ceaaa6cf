// Level generation as the player waits for it between levels, and one world
// step of a generated level. Run from the run directory.
#include "app/Globals.h"
#include "world/Map.h"
#include "world/Maphandler.h"

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

void GenerateLevel(benchmark::State& state) {
    int level = static_cast<int>(state.range(0));
    Maphandler* handler = Maphandler::getInstance();
    std::srand(42);
    // The first level of a run also loads the art and makes the player; the
    // figure is the generation alone.
    levelNumber = level;
    handler->newMap(level);
    for (auto _ : state) {
        levelNumber = level;
        handler->newMap(level);
    }
}
BENCHMARK(GenerateLevel)->Arg(1)->Arg(30)->Arg(60)->Unit(benchmark::kMillisecond);

void WorldStepLevel30(benchmark::State& state) {
    Maphandler* handler = Maphandler::getInstance();
    std::srand(42);
    levelNumber = 30;
    handler->newMap(30);
    Map* map = handler->currentMap();
    for (auto _ : state)
        map->update(0.016f);
}
BENCHMARK(WorldStepLevel30)->Unit(benchmark::kMicrosecond);

} // namespace
