// The Runs page over a history on disk: newest first, the mode filter
// stepping both ways round, a run's recording offered only while its file is
// kept, and the reset asked for before it keeps the old history beside the new one.
#include "screens/RunsResetState.h"
#include "screens/RunsState.h"

#include "app/GameStateHandler.h"
#include "app/MainMenuState.h"
#include "app/Replay.h"
#include "app/RunLog.h"
#include "core/InputState.h"
#include "support/RunDirFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

RunRecord run(const char* mode, int level, const char* recording) {
    RunRecord r;
    r.endedAt = "2026-12-07 10:00:0" + std::to_string(level);
    r.mode = mode;
    r.levelReached = level;
    r.ending = "quit";
    r.recording = recording;
    return r;
}

TEST(RunsPage, ListsNewestFirstFiltersByModeAndAsksBeforeAReset) {
    RunDirFile history{runHistory::defaultPath};
    const std::string savedFolder = replay::folder;
    replay::folder =
        (fs::temp_directory_path() / ("vantreth-runs-page-" + std::to_string(::getpid()))).string() + "/";
    fs::create_directories(replay::folder);
    std::ofstream(replay::folder + "kept.vrp") << "a recording";
    for (const RunRecord& r :
         {run("normal", 1, "kept.vrp"), run("hardcore", 2, "gone.vrp"), run("normal", 3, "")})
        ASSERT_TRUE(runHistory::append(r, runlog::historyPath));
    GameStateHandler* handler = GameStateHandler::getInstance();
    handler->states = {MainMenuState::getInstance()};
    RunsState::open();
    RunsState* page = RunsState::getInstance();
    ASSERT_EQ(handler->top(), page);

    EXPECT_EQ(page->shownRun(0)->levelReached, 3);
    EXPECT_EQ(page->shownRun(2)->levelReached, 1);
    EXPECT_EQ(page->shownRun(3), nullptr);
    EXPECT_TRUE(page->recordingKept(*page->shownRun(2)));
    EXPECT_FALSE(page->recordingKept(*page->shownRun(1)));
    page->nextMode(2);
    ASSERT_EQ(page->filtered.size(), 1u);
    EXPECT_EQ(page->statistics.bestLevel, 2);
    page->nextMode(-3);
    EXPECT_EQ(page->mode, RunsState::modes.size() - 1);
    page->nextMode(1);
    EXPECT_EQ(page->filtered.size(), 3u);

    // The question first; Escape keeps everything, "Reset" keeps the old file beside an empty one.
    handler->pushState(RunsResetState::getInstance());
    InputState* input = InputState::getInstance();
    input->keys[sf::Keyboard::Escape] = true;
    input->previousKeys[sf::Keyboard::Escape] = false;
    handler->top()->handleInput();
    input->keys[sf::Keyboard::Escape] = false;
    ASSERT_EQ(handler->top(), page);
    EXPECT_EQ(page->history.size(), 3u);
    handler->pushState(RunsResetState::getInstance());
    RunsResetState::getInstance()->buttons[1].onLeftClick();
    EXPECT_EQ(handler->top(), page);
    EXPECT_TRUE(page->history.empty());
    EXPECT_EQ(runHistory::load(runlog::historyPath + ".old").size(), 3u);
    EXPECT_NE(page->message.find("Runs.txt.old"), std::string::npos);

    handler->states.clear();
    fs::remove(runlog::historyPath + ".old");
    fs::remove_all(replay::folder);
    replay::folder = savedFolder;
}

} // namespace
