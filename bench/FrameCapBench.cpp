// How closely the levels' frame cap holds its rate: level 1's frame loop,
// played by the scripted player without the picture (which a software
// renderer could not draw at these rates), paced by the loop's limiter for
// two seconds at each offered cap. Reports the rate reached and its error in
// percent of the cap. Run from the run directory.
#include "actors/Player.h"
#include "app/FrameLimiter.h"
#include "app/Game.h"
#include "app/GameStateHandler.h"
#include "bot/Bot.h"
#include "core/Globals.h"
#include "core/Settings.h"
#include "screens/Ingame.h"
#include "world/Maphandler.h"
#include "world/Score.h"

#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/System/Clock.hpp>
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdlib>

namespace {

void LevelFrameCap(benchmark::State& state) {
    startUp();
    gameWindow().setFramerateLimit(0);
    Maphandler* maps = Maphandler::getInstance();
    std::srand(42);
    levelNumber = 1;
    resetScores();
    GameStateHandler::getInstance()->changeState(Ingame::getInstance());
    Player::getInstance()->resetForLevel(true);
    maps->newMap(levelNumber);
    Ingame::getInstance()->onEnter();
    Bot bot;
    bot.orders.saveOneIn = 0;
    const int cap = static_cast<int>(state.range(0));
    const int frames = cap * 2;
    FrameLimiter limiter;
    float rate = 0;
    for (auto _ : state) {
        limiter.wait(cap);
        sf::Clock clock;
        for (int frame = 0; frame < frames; ++frame) {
            Player::getInstance()->invulnerabilityTimer = 1;
            bot.step(1.0f / static_cast<float>(cap), false);
            limiter.wait(cap);
        }
        rate = static_cast<float>(frames) / clock.getElapsedTime().asSeconds();
    }
    state.counters["fps"] = rate;
    state.counters["error_percent"] =
        std::abs(rate - static_cast<float>(cap)) * 100 / static_cast<float>(cap);
    GameStateHandler* handler = GameStateHandler::getInstance();
    handler->delayActive = false;
    handler->pendingState = nullptr;
    shutDown();
}
BENCHMARK(LevelFrameCap)
    ->Arg(30)
    ->Arg(60)
    ->Arg(120)
    ->Arg(144)
    ->Arg(240)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->UseRealTime();

} // namespace
