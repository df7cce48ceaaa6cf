// Start-up cost as the player feels it: from reading the settings to the
// first frame of the main menu on screen. Run from the run directory.
#include "app/Game.h"
#include "app/GameStateHandler.h"
#include "app/MainMenuState.h"
#include "core/Camera.h"
#include "core/InputState.h"

#include <SFML/System/Clock.hpp>
#include <benchmark/benchmark.h>

namespace {

void StartupToFirstMenuFrame(benchmark::State& state) {
    for (auto _ : state) {
        startUp();
        sf::Clock clock;
        GameStateHandler::getInstance()->changeState(MainMenuState::getInstance());
        // The frame of the change skips drawing, so the menu is first shown by the second.
        runFrame(clock);
        runFrame(clock);
        state.PauseTiming();
        shutDown();
        state.ResumeTiming();
    }
}
BENCHMARK(StartupToFirstMenuFrame)->Unit(benchmark::kMillisecond)->Iterations(5);

void MainMenuFrame(benchmark::State& state) {
    startUp();
    sf::Clock clock;
    GameStateHandler::getInstance()->changeState(MainMenuState::getInstance());
    for (auto _ : state)
        runFrame(clock);
    shutDown();
}
BENCHMARK(MainMenuFrame)->Unit(benchmark::kMillisecond)->MinTime(0.5);

} // namespace

namespace {

// The per-frame device poll: every frame of the game pays for it.
void InputSample(benchmark::State& state) {
    startUp();
    for (auto _ : state)
        InputState::getInstance()->update(Camera::getInstance()->view.getSize());
    shutDown();
}
BENCHMARK(InputSample)->Unit(benchmark::kMicrosecond);

} // namespace
