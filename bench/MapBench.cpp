// Level generation as the player waits for it between levels, the old
// level's teardown that comes before it, and one world step of a generated
// level. Run from the run directory.
#include "core/Globals.h"
#include "world/Map.h"
#include "world/Maphandler.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>

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
BENCHMARK(GenerateLevel)->Arg(1)->Arg(30)->Arg(60)->Arg(100)->Arg(200)->Unit(benchmark::kMillisecond);

// The first part of a level change: the finished level goes, with every
// entity on it and every wall's shadow hull, before the next is generated.
void LevelChange(benchmark::State& state) {
    int level = static_cast<int>(state.range(0));
    Maphandler* handler = Maphandler::getInstance();
    std::srand(42);
    std::size_t hulls = 0;
    for (auto _ : state) {
        state.PauseTiming();
        levelNumber = level;
        handler->newMap(level);
        hulls = handler->lighting().system->hullCount();
        state.ResumeTiming();
        handler->setCurrentMap(std::make_unique<Map>());
    }
    state.counters["hulls"] = static_cast<double>(hulls);
}
BENCHMARK(LevelChange)->Arg(30)->Arg(100)->Arg(200)->Unit(benchmark::kMillisecond);

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
