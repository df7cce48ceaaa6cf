// One game frame's update (camera, heads-up display and score, the world
// update with its light map, the player, the particles) while the soak
// tests' scripted player fights its way through a level, at levels 1, 10,
// 30 and 60. The picture itself is left out: the full frame is LevelFrame.
// Run from the run directory.
#include "actors/Player.h"
#include "app/Game.h"
#include "app/GameStateHandler.h"
#include "bot/Bot.h"
#include "core/Globals.h"
#include "core/Settings.h"
#include "screens/Ingame.h"
#include "world/Maphandler.h"
#include "world/Score.h"

#include <SFML/Graphics/RenderWindow.hpp>
#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

void FrameUpdateWithBot(benchmark::State& state) {
    startUp();
    gameWindow().setFramerateLimit(0);
    // Made first: a new map handler starts the run at level 1.
    Maphandler* maps = Maphandler::getInstance();
    std::srand(42);
    levelNumber = static_cast<int>(state.range(0));
    resetScores();
    GameStateHandler::getInstance()->changeState(Ingame::getInstance());
    Player::getInstance()->resetForLevel(true);
    maps->newMap(levelNumber);
    Ingame::getInstance()->onEnter();
    Bot bot;
    bot.keepLights = true;
    bot.orders.saveOneIn = 0;
    // Two seconds of play first, so the enemies near the start have noticed the player.
    for (int frame = 0; frame < 50; ++frame)
        bot.step(0.04f, false);
    for (auto _ : state) {
        // The measure is of the level, not of the game-over screen.
        Player::getInstance()->invulnerabilityTimer = 1;
        bot.step(0.04f, false);
    }
    state.counters["level"] = levelNumber;
    GameStateHandler* handler = GameStateHandler::getInstance();
    handler->delayActive = false;
    handler->pendingState = nullptr;
    shutDown();
}
BENCHMARK(FrameUpdateWithBot)
    ->Arg(1)
    ->Arg(10)
    ->Arg(30)
    ->Arg(60)
    ->Unit(benchmark::kMicrosecond)
    ->Iterations(400);

} // namespace
