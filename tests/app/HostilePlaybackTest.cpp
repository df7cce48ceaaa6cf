// Recordings are shared, so playing one is playing untrusted input. The file
// reader is fuzzed on its own (fuzz/ReplayFuzz.cpp); here well-formed
// recordings full of input no device gives (sticks and aims that are no
// number or far past the pad's reach, pointers at the ends of their range,
// every key and button at once, the longest steps the reader lets through)
// are played through the game's own verifier. Each must end with a verdict;
// the sanitizer build runs this too, so touching memory it should not or
// undefined arithmetic fails it.

#include "app/Replay.h"

#include "support/ScriptedRun.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <string>

namespace {

float hostileAxis(std::mt19937& dice) {
    const float values[] = {std::numeric_limits<float>::quiet_NaN(),
                            std::numeric_limits<float>::infinity(),
                            -std::numeric_limits<float>::infinity(),
                            std::numeric_limits<float>::max(),
                            -std::numeric_limits<float>::denorm_min(),
                            1e30f,
                            -1,
                            0.3f};
    return values[dice() % std::size(values)];
}

int hostilePointer(std::mt19937& dice) {
    const int values[] = {-32768, 32767, 0, -1, 1920, 1081};
    return values[dice() % std::size(values)];
}

InputSnapshot hostileInput(std::mt19937& dice) {
    InputSnapshot s;
    for (int k = 0; k < InputSnapshot::keyCount; ++k)
        s.keys[static_cast<std::size_t>(k)] = dice() % 4 == 0;
    s.buttons = static_cast<std::uint8_t>(dice());
    for (int* v : {&s.windowMouseX, &s.windowMouseY, &s.mouseX, &s.mouseY})
        *v = hostilePointer(dice);
    for (float* v : {&s.leftX, &s.leftY, &s.rightX, &s.rightY, &s.aimX, &s.aimY})
        *v = hostileAxis(dice);
    s.padButtons = static_cast<std::uint32_t>(dice());
    const unsigned flags = static_cast<unsigned>(dice());
    s.padConnected = flags & 1;
    s.padActive = flags & 2;
    s.hasFocus = flags & 12; // out of focus one frame in four
    s.focusLost = flags & 16;
    s.saveOnDisk = flags & 32;
    s.autosaveOnDisk = flags & 64;
    return s;
}

class HostilePlayback : public ScriptedRun {};

TEST_F(HostilePlayback, RecordingsOfImpossibleInputEndWithAVerdict) {
    std::mt19937 dice(20261207);
    const float steps[] = {0, 1e-6f, 0.016667f, 0.04f, 0.5f, 1};
    for (int run = 0; run < 12; ++run) {
        SCOPED_TRACE(run);
        Recording rec;
        rec.rules = replay::rulesRevision;
        rec.contentDigest = replay::contentDigest();
        rec.startedAt = "2026-12-07 12:00:00";
        rec.seed = static_cast<std::uint32_t>(dice());
        rec.hardcore = run % 3 == 0;
        rec.settings = "FOCUSPAUSE:1\nSHAKE:100\n";
        rec.shake = run % 4 == 0 ? 1e30f : 2;
        rec.input = hostileInput(dice);
        ReplayEncoder encoder;
        InputSnapshot held;
        for (int f = 0; f < 240; ++f) {
            // Runs of the same input, as held keys and sticks give.
            if (f % 8 == 0)
                held = hostileInput(dice);
            ReplayFrame frame;
            frame.dt = steps[dice() % std::size(steps)];
            frame.input = held;
            encoder.add(frame); // no checksums: every frame is played
        }
        rec.frames = encoder.frames();
        rec.frameBytes = encoder.bytes();
        const std::string path = replay::folder + "hostile.vrp";
        std::filesystem::create_directories(replay::folder);
        ASSERT_TRUE(writeRecording(path, rec));

        ReplayPlayer player;
        player.unseen = run % 2 == 0;
        std::string error;
        ASSERT_TRUE(player.load(path, error)) << error;
        player.begin();
        while (player.advance() == ReplayPlayer::Status::Playing) {
        }
        EXPECT_NE(player.status(), ReplayPlayer::Status::Playing);
        EXPECT_EQ(player.frame(), 240u);
        player.end();
    }
}

} // namespace
