// How evenly frames come, and what a level change costs the player. Players
// feel an uneven frame or a stall between levels more than a low average, so
// these report the spread and the worst, not a mean. Run from the run
// directory.
#include "actors/Player.h"
#include "app/FrameLimiter.h"
#include "app/Game.h"
#include "app/GameStateHandler.h"
#include "bot/Bot.h"
#include "core/Globals.h"
#include "core/Settings.h"
#include "screens/Ingame.h"
#include "screens/LevelFlow.h"
#include "world/Maphandler.h"
#include "world/Score.h"

#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/OpenGL.hpp>
#include <SFML/System/Clock.hpp>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

void enterLevelInPlay(int level) {
    std::srand(42);
    levelNumber = level;
    resetScores();
    GameStateHandler::getInstance()->changeState(Ingame::getInstance());
    Player::getInstance()->resetForLevel(true);
    Maphandler::getInstance()->newMap(level);
    Ingame::getInstance()->onEnter();
}

void leaveTheGame() {
    GameStateHandler* handler = GameStateHandler::getInstance();
    handler->delayActive = false;
    handler->pendingState = nullptr;
    shutDown();
}

// A minute of level 30 as a player sees it: the scripted player fights in
// the real window at the frame cap of 30, and the time between the
// displays of consecutive frames is taken. Frames around a level change
// (a cleared level, a death) are left out: their stall is LevelEntry's,
// which ends with the level's first picture, the second frame in it.
void LevelPace(benchmark::State& state) {
    startUp();
    gameWindow().setFramerateLimit(0);
    enterLevelInPlay(30);
    Bot bot;
    bot.keepLights = true;
    bot.orders.saveOneIn = 0;
    constexpr int cap = 30;
    constexpr int frames = 60 * cap;
    std::vector<double> gaps, gameGaps;
    FrameLimiter limiter;
    for (auto _ : state) {
        gaps.clear();
        gameGaps.clear();
        limiter.wait(cap);
        sf::Clock clock;
        int framesInLevel = 0;
        for (int frame = 0; frame < frames; ++frame) {
            const int level = levelNumber;
            const bool playing = GameStateHandler::getInstance()->top() == Ingame::getInstance();
            Player::getInstance()->invulnerabilityTimer = 1;
            bot.step(1.0f / cap, true);
            glFinish();
            limiter.wait(cap);
            const double gap = clock.restart().asSeconds() * 1000;
            const bool stays = playing && level == levelNumber &&
                               GameStateHandler::getInstance()->top() == Ingame::getInstance();
            framesInLevel = stays ? framesInLevel + 1 : 0;
            if (stays && framesInLevel > 2) {
                gaps.push_back(gap);
                // Without the bot's own thinking (its path searches), which a player's hands do not cost:
                // the frame would have waited for the cap, or come that much sooner.
                gameGaps.push_back(std::max(1000.0 / cap, gap - bot.lastThinkSeconds * 1000));
            }
        }
    }
    auto report = [&state](std::vector<double>& times, const std::string& prefix) {
        std::sort(times.begin(), times.end());
        auto at = [&times](double share) {
            return times.empty()
                       ? 0.0
                       : times[static_cast<std::size_t>(share * static_cast<double>(times.size() - 1))];
        };
        state.counters[prefix + "median_ms"] = at(0.5);
        state.counters[prefix + "p99_ms"] = at(0.99);
        state.counters[prefix + "worst_ms"] = times.empty() ? 0.0 : times.back();
    };
    report(gaps, "");
    report(gameGaps, "game_");
    state.counters["frames"] = static_cast<double>(gaps.size());
    leaveTheGame();
}
BENCHMARK(LevelPace)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

// From "Continue" on the upgrade screen to the first frame of the next
// level on screen: the old level goes, the new one is generated, and its
// tile picture, light tree and first light map are made for that frame.
void LevelEntry(benchmark::State& state) {
    const int level = static_cast<int>(state.range(0));
    startUp();
    gameWindow().setFramerateLimit(0);
    enterLevelInPlay(level - 1);
    auto nothing = [](InputState&) {};
    runScriptedFrame(1.0f / 60, nothing, true);
    glFinish();
    for (auto _ : state) {
        levelNumber = level - 1;
        enterNextLevel();
        // The frame of a change draws nothing; the next draws the level behind the doors.
        runScriptedFrame(1.0f / 60, nothing, true);
        runScriptedFrame(1.0f / 60, nothing, true);
        glFinish();
    }
    leaveTheGame();
}
BENCHMARK(LevelEntry)->Arg(30)->Arg(200)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
