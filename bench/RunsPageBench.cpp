// The Runs page with a long history: ten thousand runs read from the file,
// summed and charted, and the page drawn and shown on the given tab, as
// opening it does. Budget 50 ms. The counter `load_ms` is the reading and
// summing alone; the rest is the frame, whose full-screen fill weighs as
// FullScreenPass says on the machine at hand. Run from the run directory.
#include "app/Game.h"
#include "app/GameStateHandler.h"
#include "app/RunLog.h"
#include "core/Settings.h"
#include "persistence/RunHistory.h"
#include "screens/RunsState.h"

#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/System/Clock.hpp>
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>

namespace {

void writeHistory(const std::string& path, int runs) {
    std::ofstream out(path);
    out << runHistory::headerLine() << '\n';
    const char* modes[] = {"normal", "hardcore", "seeded", "daily"};
    for (int i = 0; i < runs; ++i) {
        RunRecord run;
        run.endedAt = "2026-12-07 16:49:09";
        run.mode = modes[i % 4];
        run.seed = i % 4 >= 2 ? "K7Q2" : "";
        run.levelsCleared = i % 13;
        run.levelReached = i % 13 + 1;
        run.score = (i % 13) * 4000 + i % 977;
        run.seconds = static_cast<float>(120 + i % 900);
        run.deaths = 1 + i % 3;
        run.kills = {i % 2, 10 + i % 40, 5 + i % 30};
        run.humansSaved = i % 20;
        run.ending = "died";
        run.killer = "rangedAlien plasmaBolt";
        run.weaponKills = {{"Shotgun", 10 + i % 7}, {"Grenade", i % 5}};
        run.recording = i % 500 == 0 ? "2026-12-07 16-43-50.vrp" : "";
        out << runHistory::formatLine(run) << '\n';
    }
}

void RunsPage(benchmark::State& state) {
    startUp();
    const std::string path = (std::filesystem::temp_directory_path() / "vantreth-bench-Runs.txt").string();
    writeHistory(path, static_cast<int>(state.range(0)));
    runlog::historyPath = path;
    RunsState* page = RunsState::getInstance();
    GameStateHandler::getInstance()->changeState(page);
    page->showTab(state.range(1) == 0 ? RunsState::Tab::history : RunsState::Tab::statistics);
    sf::Clock clock;
    double loading = 0;
    for (auto _ : state) {
        clock.restart();
        page->reload();
        loading += clock.getElapsedTime().asSeconds();
        page->draw();
        gameWindow().display();
    }
    state.counters["runs"] = static_cast<double>(page->history.size());
    state.counters["load_ms"] = loading * 1000 / static_cast<double>(state.iterations());
    shutDown();
    std::filesystem::remove(path);
}
BENCHMARK(RunsPage)->Args({10000, 0})->Args({10000, 1})->Unit(benchmark::kMillisecond)->MinTime(0.5);

} // namespace
