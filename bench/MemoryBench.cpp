// The process's peak resident memory while a level is played for
// ten seconds of game time with everything drawn: the window, every asset,
// the map with its light map, the enemies and the particles. Peak memory is
// process-wide, so run this benchmark on its own
// (--benchmark_filter='^PeakMemory/30$') for a figure that belongs to it.
#include "actors/Player.h"
#include "app/Game.h"
#include "app/GameStateHandler.h"
#include "core/Globals.h"
#include "core/InputState.h"
#include "core/Settings.h"
#include "screens/Ingame.h"
#include "world/Maphandler.h"

#include <SFML/Graphics/RenderWindow.hpp>
#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <cstdlib>

namespace {

void PeakMemory(benchmark::State& state) {
    startUp();
    gameWindow().setFramerateLimit(0);
    // Made first: a new map handler starts the run at level 1.
    Maphandler* maps = Maphandler::getInstance();
    std::srand(42);
    levelNumber = static_cast<int>(state.range(0));
    GameStateHandler::getInstance()->changeState(Ingame::getInstance());
    Player::getInstance()->resetForLevel(true);
    maps->newMap(levelNumber);
    Ingame::getInstance()->onEnter();
    auto idle = [](InputState& input) {
        for (bool& k : input.keys)
            k = false;
        for (bool& b : input.buttons)
            b = false;
        input.mouse = {1100, 540};
    };
    for (auto _ : state) {
        for (int frame = 0; frame < 250; ++frame) {
            Player::getInstance()->invulnerabilityTimer = 1;
            runScriptedFrame(0.04f, idle, true);
        }
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["level"] = levelNumber;
    state.counters["peak_MB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
    shutDown();
}
BENCHMARK(PeakMemory)->Arg(30)->Arg(100)->Arg(200)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
