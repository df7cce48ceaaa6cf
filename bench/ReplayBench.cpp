// What recording costs a frame: sampling the input into the recording and
// summing the game's state after the frame, at a level in play, with the
// pointer moving and keys changing as a player's do. The counter is the
// recording's size per frame, from which a ten-minute level's size follows.
// Run from the run directory.
#include "app/Game.h"
#include "app/GameStateHandler.h"
#include "app/Replay.h"
#include "core/InputState.h"
#include "core/Settings.h"
#include "screens/LevelFlow.h"

#include <SFML/Graphics/RenderWindow.hpp>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>

namespace {

void RecordFrame(benchmark::State& state) {
    replay::folder = (std::filesystem::temp_directory_path() / "vantreth-bench-replays").string() + "/";
    startUp();
    std::srand(42);
    startNewRun();
    InputState* input = InputState::getInstance();
    long frame = 0;
    for (auto _ : state) {
        ++frame;
        // A player's hand: the pointer moves every frame, a key changes now and then.
        input->mouse = {static_cast<int>(960 + frame % 300), static_cast<int>(540 - frame % 200)};
        input->windowMouse = input->mouse;
        if (frame % 15 == 0)
            input->keys[frame % 4] = !input->keys[frame % 4];
        replay::recordFrame(0.016f + static_cast<float>(frame % 7) * 0.001f);
        replay::afterFrame();
    }
    replay::finishRecording();
    std::error_code error;
    const double bytes = static_cast<double>(std::filesystem::file_size(replay::lastRecordingPath(), error));
    state.counters["bytes_per_frame"] = bytes / static_cast<double>(frame);
    state.counters["MB_per_10min_at_60Hz"] = bytes / static_cast<double>(frame) * 36000 / 1e6;
    GameStateHandler* handler = GameStateHandler::getInstance();
    handler->delayActive = false;
    handler->pendingState = nullptr;
    shutDown();
    std::filesystem::remove_all(replay::folder);
}
BENCHMARK(RecordFrame)->Unit(benchmark::kNanosecond)->Iterations(36000);

} // namespace
