// The golden runs: recordings made with the real game and kept in
// tests/data. They pin the rules: any change that alters play makes them
// diverge, and must raise the rules revision and record them again
// (scripts/record-golden.sh, with tools/golden).
//
// Each is verified in a fresh process of the game, from a folder of its own
// that holds other settings, other saves and another window size than the
// run had, and the verifier must leave that folder as it found it.

#include "app/Replay.h"
#include "support/GameFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

const fs::path goldenFolder = VANTRETH_TEST_DATA;

std::vector<fs::path> goldenRuns() {
    std::vector<fs::path> runs;
    for (const auto& entry : fs::directory_iterator(goldenFolder))
        if (entry.path().extension() == ".vrp")
            runs.push_back(entry.path());
    std::sort(runs.begin(), runs.end());
    return runs;
}

std::vector<std::string> filesUnder(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        names.push_back(fs::relative(entry.path(), folder).string());
    std::sort(names.begin(), names.end());
    return names;
}

// Settings as unlike the runs' as a player's could be: other volumes,
// comfort values, bindings and hardcore choice, and a window of 1280 x 720,
// or a resolution larger than the display, which the game would repair.
std::string verifierSettings(bool oversized) {
    return std::string("RESOL:\n1280\n720\nRESOL:\n") + (oversized ? "4000\n3000\n" : "1920\n1080\n") +
           "CURRES:" + (oversized ? "1" : "0") +
           "\nVOLUM:\n7\n93\nANTIA: 0\nFULLS: 0\nVSYNC:1\nHARDC:1\nPREVN:\nWatcher\n"
           "KEYS:MoveUp=I\nKEYS:UseLeft=K\nPAD:Sprint=A\nSHAKE:30\nFLASH:20\nBLOOD:0\nFOCUSPAUSE:1\n"
           "FPSCAP:60\nSHOWFPS:1\n";
}

TEST(GoldenRuns, EveryGoldenRunPlaysBackInAFreshProcessWhateverTheWatcherHasButNotUnderOtherRules) {
    const std::vector<fs::path> runs = goldenRuns();
    ASSERT_GE(runs.size(), 4u);
    for (std::size_t i = 0; i < runs.size(); ++i) {
        SCOPED_TRACE(runs[i].filename().string());
        GameFolder folder("vantreth-golden");
        fs::copy_file(runs[i], folder.root / "run.vrp");
        folder.write("Config.cfg", verifierSettings(i % 2 == 1));
        // Saves and a table on disk for half the runs, none for the others.
        if (i % 2 == 0) {
            folder.write("data/SaveData/save.txt", "Difficulty:\n9\n");
            folder.write("data/SaveData/autosave.txt", "Difficulty:\n3\n");
            folder.write("data/SaveData/Highscores.xd", "Top\n99\n999999");
        }
        const std::string settingsBefore = folder.read("Config.cfg");
        const std::vector<std::string> filesBefore = filesUnder(folder.root / "data");

        std::string output;
        EXPECT_EQ(folder.run("--verify-replay run.vrp", output), 0) << output;
        EXPECT_NE(output.find("replay ok: "), std::string::npos) << output;
        EXPECT_EQ(folder.read("Config.cfg"), settingsBefore) << "verifying writes nothing the player owns";
        EXPECT_EQ(filesUnder(folder.root / "data"), filesBefore);

        // The same run under other rules is named for what it is, never played as ours.
        std::string error;
        std::optional<Recording> rec = readRecording(runs[i].string(), error);
        ASSERT_TRUE(rec) << error;
        rec->rules = replay::rulesRevision + 1;
        ASSERT_TRUE(writeRecording((folder.root / "other.vrp").string(), *rec));
        EXPECT_EQ(folder.run("--verify-replay other.vrp", output), 2);
        EXPECT_NE(output.find("not a usable recording: other.vrp: recorded with rules " +
                              std::to_string(replay::rulesRevision + 1) + ", this game plays rules " +
                              std::to_string(replay::rulesRevision)),
                  std::string::npos)
            << output;
    }
}

} // namespace
