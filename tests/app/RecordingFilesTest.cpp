// Where a run's recording goes: its file name, the mark of a highscore run,
// the pruning that follows it, a folder it cannot be written to, the
// verdict of the real executable on a file that is no recording, and the
// one record each ended run adds to the history.

#include "app/GameOverState.h"
#include "app/GameStateHandler.h"
#include "app/MainMenuState.h"
#include "app/MenuActions.h"
#include "app/Replay.h"
#include "app/RunLog.h"
#include "core/Globals.h"
#include "core/RunKind.h"
#include "core/Settings.h"
#include "persistence/HighscoreTable.h"
#include "persistence/RunHistory.h"
#include "persistence/SaveGame.h"
#include "screens/LevelFlow.h"
#include "support/RunDirFile.h"
#include "world/Score.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <functional>
#include <set>
#include <string>

#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

class RecordingFiles : public ::testing::Test {
  protected:
    void SetUp() override {
        savedFolder = replay::folder;
        savedHardcore = hardcoreMode;
        folder = fs::temp_directory_path() / ("vantreth-recordings-" + std::to_string(::getpid()));
        fs::remove_all(folder);
        fs::create_directories(folder);
        replay::folder = folder.string() + "/";
        savedHistory = runlog::historyPath;
        runlog::historyPath = folder.string() + "-Runs.txt";
        fs::remove(runlog::historyPath);
        handler = GameStateHandler::getInstance();
        handler->states = {MainMenuState::getInstance()};
        HighscoreTable::destroyInstance();
    }
    void TearDown() override {
        replay::finishRecording();
        handler->states.clear();
        handler->cancelScheduled();
        HighscoreTable::destroyInstance();
        replay::folder = savedFolder;
        fs::remove(folder.string() + "-Runs.txt");
        runlog::historyPath = savedHistory;
        hardcoreMode = savedHardcore;
        levelNumber = 1;
        resetScores();
        fs::remove_all(folder);
    }

    // A run of a few frames from "New Game", ended by `end`; the frame after it writes the recording.
    void recordRun(const std::function<void()>& end) {
        startNewRun();
        for (int frame = 0; frame < 3; ++frame)
            recordedFrame();
        end();
        recordedFrame();
        EXPECT_FALSE(replay::recording());
    }
    void recordedFrame() {
        replay::recordFrame(0.04f);
        handler->update(0.04f);
        replay::afterFrame();
    }
    std::set<std::string> names() const {
        std::set<std::string> found;
        for (const auto& entry : fs::directory_iterator(folder))
            found.insert(entry.path().filename().string());
        return found;
    }
    // The name a recording started at the given time would take, without its ending.
    static std::string stamp(std::time_t at) {
        std::tm parts{};
        localtime_r(&at, &parts);
        char text[32];
        std::strftime(text, sizeof text, "%Y-%m-%d %H-%M-%S", &parts);
        return text;
    }

    fs::path folder;
    std::string savedFolder, savedHistory;
    bool savedHardcore = false;
    GameStateHandler* handler = nullptr;
};

TEST_F(RecordingFiles, ANameTakenGetsANumberAndAHighscoreRunItsMark) {
    // Files for the seconds the run may start in take its plain names.
    const std::time_t now = std::time(nullptr);
    for (std::time_t at = now; at < now + 3; ++at)
        std::ofstream(folder / (stamp(at) + ".vrp")) << "taken";
    hardcoreMode = false;
    recordRun(returnToMainMenu);
    const std::string path = replay::lastRecordingPath();
    EXPECT_EQ(path.substr(path.size() - 8), " (2).vrp") << path;
    EXPECT_TRUE(fs::exists(path));

    // A hardcore death whose score enters the table.
    RunDirFile table{HighscoreTable::defaultPath};
    table.write("Bo\n2\n10");
    HighscoreTable::destroyInstance();
    hardcoreMode = true;
    recordRun([this] {
        totalScore = 5000;
        handler->pushState(GameOverState::getInstance());
    });
    ASSERT_TRUE(GameOverState::getInstance()->highscoreOffered);
    const std::string marked = replay::lastRecordingPath();
    EXPECT_NE(marked.find(std::string(replay::highscoreMark) + ".vrp"), std::string::npos) << marked;
    EXPECT_TRUE(fs::exists(marked));
}

TEST_F(RecordingFiles, AFinishedRunPrunesTheOldestButNeverAHighscoreRun) {
    // Older than any run today: a marked one and one more than are kept.
    std::ofstream(folder / "2000-01-01 00-00-00 highscore.vrp") << "old";
    for (std::size_t i = 1; i <= replay::keptRecordings; ++i)
        std::ofstream(folder /
                      ("2000-01-01 00-00-" + std::string(i < 10 ? "0" : "") + std::to_string(i) + ".vrp"))
            << "old";
    hardcoreMode = false;
    recordRun(returnToMainMenu);
    std::set<std::string> left = names();
    EXPECT_EQ(left.size(), replay::keptRecordings + 1);
    EXPECT_TRUE(left.count(fs::path(replay::lastRecordingPath()).filename().string()));
    EXPECT_TRUE(left.count("2000-01-01 00-00-00 highscore.vrp"));
    EXPECT_FALSE(left.count("2000-01-01 00-00-01.vrp")) << "the oldest went";
    EXPECT_TRUE(left.count("2000-01-01 00-00-02.vrp"));
}

TEST_F(RecordingFiles, AFolderThatCannotBeWrittenCostsTheRecordingOnly) {
    // A file where the folder should be refuses every write, even root's.
    std::ofstream(folder / "blocked") << "a file";
    replay::folder = (folder / "blocked").string() + "/";
    const std::string before = replay::lastRecordingPath();
    hardcoreMode = false;
    testing::internal::CaptureStdout();
    recordRun(returnToMainMenu);
    const std::string log = testing::internal::GetCapturedStdout();
    EXPECT_NE(log.find("The recording could not be written"), std::string::npos);
    EXPECT_EQ(replay::lastRecordingPath(), before);
    EXPECT_EQ(handler->top(), MainMenuState::getInstance());

    // The game goes on recording the next run where it can.
    replay::folder = folder.string() + "/";
    recordRun(returnToMainMenu);
    EXPECT_TRUE(fs::exists(replay::lastRecordingPath()));
}

TEST_F(RecordingFiles, AQuitALoadAndAClosingEachAddOneRecordNamingTheRecording) {
    RunDirFile save{savePath("save")};
    hardcoreMode = false;
    recordRun(returnToMainMenu);
    std::vector<RunRecord> runs = runHistory::load(runlog::historyPath);
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].ending, "quit");
    EXPECT_EQ(runs[0].mode, "normal");
    EXPECT_EQ(runs[0].levelReached, 1);
    EXPECT_EQ(runs[0].recording, fs::path(replay::lastRecordingPath()).filename().string());
    EXPECT_EQ(runs[0].endedAt.size(), 19u);

    // A run left for a save loaded over it, then the loaded run ended by closing the game.
    startNewRun();
    recordedFrame();
    ASSERT_TRUE(saveGame("save"));
    ASSERT_TRUE(continueFromSave("save"));
    recordedFrame();
    replay::finishRecording();
    runs = runHistory::load(runlog::historyPath);
    ASSERT_EQ(runs.size(), 3u);
    EXPECT_EQ(runs[1].ending, "loaded");
    EXPECT_EQ(runs[2].ending, "closed");
    EXPECT_EQ(runs[2].levelReached, 2);

    // A seeded run is recorded as one, with its code.
    startSeededRun(0x123456789AULL);
    recordedFrame();
    returnToMainMenu();
    recordedFrame();
    runs = runHistory::load(runlog::historyPath);
    ASSERT_EQ(runs.size(), 4u);
    EXPECT_EQ(runs[3].mode, "seeded");
    EXPECT_EQ(runs[3].seed, currentRun.seedText());
    EXPECT_EQ(runs[3].seed.size(), 9u);

    // A disk that refuses the history costs the record only.
    runlog::historyPath = folder.string() + "/blocked/Runs.txt";
    std::ofstream(folder / "blocked") << "a file";
    testing::internal::CaptureStdout();
    recordRun(returnToMainMenu);
    EXPECT_NE(testing::internal::GetCapturedStdout().find("could not be added"), std::string::npos);
    EXPECT_TRUE(fs::exists(replay::lastRecordingPath()));
}

TEST_F(RecordingFiles, VerifyingAFileThatIsNoRecordingExitsWithStatusTwo) {
    const fs::path file = folder / "notes.vrp";
    std::ofstream(file) << "Hardcoremode:\n1\n";
    const fs::path log = folder / "verify.log";
    int status = std::system(
        ("./vantreth --verify-replay '" + file.string() + "' >'" + log.string() + "' 2>&1").c_str());
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 2);
}

} // namespace
