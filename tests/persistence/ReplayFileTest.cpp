#include "persistence/ReplayFile.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <limits>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

// Frames that touch every part of the input, with clock steps and scripted ones.
std::vector<ReplayFrame> sampleFrames() {
    std::vector<ReplayFrame> frames;
    ReplayFrame f;
    for (int i = 0; i < 200; ++i) {
        f.dt = i % 3 == 0 ? 0.016667f : static_cast<float>(16000 + i) / 1000000.f;
        f.input.keys.flip(static_cast<std::size_t>((i * 37) % InputSnapshot::keyCount));
        if (i % 5 == 0)
            f.input.buttons = static_cast<std::uint8_t>(i % 32);
        f.input.windowMouseX = i * 9 - 40;
        f.input.mouseY = (i * 13) % 1080;
        f.input.padConnected = i > 50;
        f.input.padButtons = static_cast<std::uint32_t>(i) * 2654435761u;
        f.input.rightX = static_cast<float>(i % 7) * 0.1f;
        f.input.hasFocus = i % 40 != 3;
        f.input.focusLost = i % 40 == 3;
        f.input.saveOnDisk = i > 20;
        f.input.autosaveOnDisk = i % 60 > 30;
        f.input.padActive = i % 11 == 0;
        f.checksum =
            i % 60 == 59 ? std::optional<std::uint32_t>(static_cast<std::uint32_t>(i) * 77u) : std::nullopt;
        frames.push_back(f);
    }
    return frames;
}

Recording sampleRecording() {
    Recording rec;
    rec.rules = 7;
    rec.contentDigest = 0xC0FFEE;
    rec.gameVersion = "1.0";
    rec.startedAt = "2026-12-07 04:10:33";
    rec.seed = 123456789;
    rec.run = {RunKind::daily, 0xFEDCBA9876ull, "2026-12-07", true};
    rec.hardcore = true;
    rec.start = Recording::Start::Save;
    rec.settings = "HARDC:1\nSHAKE:40\n";
    rec.save = "Difficulty\n3\n";
    rec.highscores = {"Bo", "2", "900", ""};
    rec.menuCopies = {true, 3, 0, 40, 60, true, false, true};
    rec.shake = 1.5f;
    rec.input.keys.set(4);
    rec.input.mouseX = 700;
    rec.levelReached = 3;
    rec.score = 4567;
    rec.seconds = 12.5f;
    ReplayEncoder encoder;
    for (const ReplayFrame& f : sampleFrames())
        encoder.add(f);
    rec.frames = encoder.frames();
    rec.frameBytes = encoder.bytes();
    return rec;
}

TEST(ReplayFile, FramesAndHeaderComeBackAsTheyWent) {
    Recording rec = sampleRecording();
    std::string error;
    std::optional<Recording> back = decodeRecording(encodeRecording(rec), error);
    ASSERT_TRUE(back) << error;
    EXPECT_EQ(back->seed, rec.seed);
    EXPECT_EQ(back->run, rec.run);
    EXPECT_EQ(back->rules, 7u);
    EXPECT_EQ(back->contentDigest, 0xC0FFEEu);
    EXPECT_EQ(back->highscores, rec.highscores);
    EXPECT_EQ(back->menuCopies, rec.menuCopies);
    EXPECT_EQ(back->settings, rec.settings);
    EXPECT_EQ(back->save, rec.save);
    EXPECT_EQ(back->start, Recording::Start::Save);
    EXPECT_EQ(back->input, rec.input);
    EXPECT_EQ(back->score, 4567);
    ReplayDecoder decoder(back->frameBytes);
    ReplayFrame f;
    for (const ReplayFrame& expected : sampleFrames()) {
        ASSERT_TRUE(decoder.next(f));
        EXPECT_EQ(f.dt, expected.dt); // bit for bit: the run depends on it
        EXPECT_EQ(f.input, expected.input);
        EXPECT_EQ(f.checksum, expected.checksum);
    }
    EXPECT_FALSE(decoder.next(f));
    EXPECT_FALSE(decoder.failed());
}

// The first format, as recordings made before the rules revision were written.
TEST(ReplayFile, ARecordingOfTheFirstFormatReadsAsRulesOne) {
    auto u32 = [](std::uint32_t v) {
        return std::string{char(v), char(v >> 8), char(v >> 16), char(v >> 24)};
    };
    auto text = [&](const std::string& t) { return u32(static_cast<std::uint32_t>(t.size())) + t; };
    std::string frame{char(1 | 64), char(0x40), char(0x9C), char(2)}; // 40 ms, in focus
    frame += u32(0x3F800000) + u32(0);                                // the aim
    std::string v1 = std::string("VTREPLAY") + '\1' + '\0' + text("1.0") + text("2026-12-01 10:00:00") +
                     u32(99) + '\0' + '\0' + text("SHAKE:40\n") + '\0' + text("") + u32(0) + u32(0) +
                     text(std::string(1, '\0')) + u32(1) + u32(0) + u32(1) + u32(0x3D23D70A) + u32(5) +
                     text(frame);
    std::string error;
    std::optional<Recording> rec = decodeRecording(v1, error);
    ASSERT_TRUE(rec) << error;
    EXPECT_EQ(rec->format, 1);
    EXPECT_EQ(rec->rules, 1u);
    EXPECT_EQ(rec->seed, 99u);
    EXPECT_EQ(rec->settings, "SHAKE:40\n");
    EXPECT_FALSE(rec->menuCopies.known);
    EXPECT_EQ(rec->frames, 1u);
}

// A shared recording is untrusted: sticks and aims that no pad can give come
// back as the nearest values one could.
TEST(ReplayFile, SticksAndAimsBeyondAnyPadAreReadAsThePadsNearest) {
    const float nan = std::numeric_limits<float>::quiet_NaN(), inf = std::numeric_limits<float>::infinity();
    ReplayEncoder encoder;
    ReplayFrame f;
    f.input.leftX = nan;
    f.input.leftY = -inf;
    f.input.rightX = 1e30f;
    f.input.rightY = -0.5f;
    f.input.aimX = inf;
    f.input.aimY = nan;
    encoder.add(f);
    ReplayDecoder decoder(encoder.bytes());
    ReplayFrame back;
    ASSERT_TRUE(decoder.next(back));
    EXPECT_EQ(back.input.leftX, 0.0f);
    EXPECT_EQ(back.input.leftY, 0.0f);
    EXPECT_EQ(back.input.rightX, 1.0f);
    EXPECT_EQ(back.input.rightY, -0.5f);
    EXPECT_EQ(back.input.aimX, 0.0f);
    EXPECT_EQ(back.input.aimY, 0.0f);
}

TEST(ReplayFile, CutEmptyAndForeignBytesAreRefusedWithAReason) {
    std::string whole = encodeRecording(sampleRecording());
    std::string error;
    for (std::size_t n = 0; n < whole.size(); ++n) {
        error.clear();
        ASSERT_FALSE(decodeRecording(whole.substr(0, n), error)) << n;
        ASSERT_FALSE(error.empty());
    }
    EXPECT_FALSE(decodeRecording("", error));
    EXPECT_EQ(error, "the file is empty");
    std::srand(3);
    for (int i = 0; i < 300; ++i) {
        std::string noise(static_cast<std::size_t>(std::rand() % 400), '\0');
        for (char& c : noise)
            c = static_cast<char>(std::rand());
        // Behind a real header too, so the frame reader sees the noise.
        if (i % 2)
            noise = whole.substr(0, whole.size() / 2) + noise;
        EXPECT_FALSE(decodeRecording(noise, error));
    }
    // A frame count that does not match the frames is damage, not a shorter run.
    Recording rec = sampleRecording();
    rec.frames += 1;
    EXPECT_FALSE(decodeRecording(encodeRecording(rec), error));
}

TEST(ReplayFile, ListingIsNewestFirstAndPruningSparesHighscoreRuns) {
    fs::path folder = fs::temp_directory_path() / ("vantreth-replays-" + std::to_string(getpid()));
    fs::remove_all(folder);
    Recording rec = sampleRecording();
    for (int i = 0; i < 6; ++i) {
        rec.startedAt = "2026-12-0" + std::to_string(i + 1) + " 10:00:00";
        std::string name = rec.startedAt + (i == 0 ? " highscore" : "") + ".vrp";
        ASSERT_TRUE(writeRecording((folder / name).string(), rec));
    }
    std::ofstream(folder / "2026-12-09 junk.vrp") << "not a recording";
    // A folder under a recording's name opens like a file, then throws on reading.
    fs::create_directories(folder / "2026-12-10 folder.vrp");
    std::string error;
    EXPECT_FALSE(readRecording((folder / "2026-12-10 folder.vrp").string(), error));
    std::vector<RecordingEntry> listed = listRecordings(folder.string());
    ASSERT_EQ(listed.size(), 6u);
    EXPECT_EQ(listed.front().startedAt, "2026-12-06 10:00:00");
    EXPECT_EQ(listed.front().score, 4567);

    pruneRecordings(folder.string(), 3, {" highscore"});
    listed = listRecordings(folder.string());
    ASSERT_EQ(listed.size(), 3u); // the junk file counts among the three newest
    EXPECT_EQ(listed[1].startedAt, "2026-12-05 10:00:00");
    EXPECT_EQ(listed.back().startedAt, "2026-12-01 10:00:00");
    fs::remove_all(folder);
}

} // namespace
