// Whole runs played by the bot through the real states, from the main menu
// on, with the game's own frame step. They look for crashes, screens that
// cannot be left and levels that cannot be finished; the sanitizer build runs
// them too. VANTRETH_SOAK_LEVELS sets how many levels the long run plays
// (scripts/soak.sh).

#include "bot/Bot.h"

#include "actors/Player.h"
#include "app/Game.h"
#include "app/GameOverState.h"
#include "app/GameStateHandler.h"
#include "app/MainMenuState.h"
#include "app/MenuActions.h"
#include "app/Replay.h"
#include "app/ReplayViewer.h"
#include "app/RunLog.h"
#include "core/Globals.h"
#include "core/InputState.h"
#include "core/SeedCode.h"
#include "core/Settings.h"
#include "persistence/DailyTable.h"
#include "persistence/HighscoreTable.h"
#include "persistence/RunHistory.h"
#include "persistence/SaveGame.h"
#include "screens/Ingame.h"
#include "screens/LevelFlow.h"
#include "screens/UpgradeState.h"
#include "support/RunDirFile.h"
#include "world/Map.h"
#include "world/Maphandler.h"
#include "world/Score.h"

#include "core/Bindings.h"

#include <SFML/Window/Keyboard.hpp>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <iterator>
#include <map>
#include <optional>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr float frameStep = maxFrameTime;
// Only every so many frames is drawn: the drawing is exercised, the run stays short.
constexpr long drawEvery = 20;
// A level played longer than this (in game time: 6 minutes) since it began
// or was restarted on a new map is a fault of the bot or of the level, and so
// is a level the bot keeps dying on; the run stops there with what it saw.
constexpr long framesPerLevel = 9000;
constexpr int deathsPerLevel = 8;

int levelsToPlay(int fallback) {
    const char* value = std::getenv("VANTRETH_SOAK_LEVELS");
    int levels = value ? std::atoi(value) : 0;
    return levels > 0 ? levels : fallback;
}

class Soak : public ::testing::Test {
  protected:
    void SetUp() override {
        // Each process records into a folder of its own, away from the player's recordings.
        replay::folder =
            (std::filesystem::temp_directory_path() / ("vantreth-soak-replays-" + std::to_string(getpid())))
                .string() +
            "/";
        startUp();
        // A run started outside a frame is recorded as begun in the frame before, whose step
        // playback replays: no frame has run since start-up, whatever an earlier test played.
        replay::recordFrame(0);
        // The state handler seeds the generator when it is created; the run replays from here.
        std::srand(20261206);
        hardcoreMode = false;
        GameStateHandler::getInstance()->changeState(MainMenuState::getInstance());
        levelNumber = 1;
        started = std::chrono::steady_clock::now();
    }
    void TearDown() override {
        double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
        for (std::size_t i = 0; i < levelFrames.size(); ++i)
            std::cout << "  level " << levelStarts[i] << ": " << levelFrames[i] << " frames, "
                      << static_cast<double>(levelFrames[i]) * frameStep << " s game time, "
                      << levelSeconds[i] << " s wall time, " << levelDeaths[i] << " deaths\n";
        std::cout << "Soak: " << bot.levelsCleared << " levels cleared in " << bot.frames << " frames, "
                  << seconds << " s; " << bot.deaths << " deaths, " << bot.restarts << " restarts, "
                  << bot.saves << " saves, " << bot.unsticks << " unsticks, " << bot.ownSpells
                  << " spells of its own search, " << bot.wallsBroken << " of " << bot.breaches
                  << " walls broken, " << bot.replans << " path searches (" << bot.searchesFallenShort
                  << " fell short)" << std::endl;
        GameStateHandler* handler = GameStateHandler::getInstance();
        handler->delayActive = false;
        handler->pendingState = nullptr;
        shutDown();
        std::filesystem::remove_all(replay::folder);
    }

    // Steps the bot until done() holds. Fails (false) when one level takes
    // more than its share of frames, with where the bot stood.
    bool playUntil(const std::function<bool()>& done) {
        while (!done()) {
            if (levelNumber != currentLevel)
                startLevelWatch();
            if (bot.restarts != restartsBefore) {
                restartsBefore = bot.restarts;
                attemptFrames = 0;
            }
            bot.step(frameStep, bot.frames % drawEvery == 0);
            ++levelFrames.back();
            if (++attemptFrames > framesPerLevel) {
                ADD_FAILURE() << "no progress within " << framesPerLevel << " frames: " << bot.describe();
                return false;
            }
            if (bot.deaths - deathsBefore > deathsPerLevel) {
                ADD_FAILURE() << "more than " << deathsPerLevel << " deaths on one level: " << bot.describe();
                return false;
            }
            levelSeconds.back() =
                std::chrono::duration<double>(std::chrono::steady_clock::now() - levelStarted).count();
            levelDeaths.back() = bot.deaths - deathsBefore;
        }
        return true;
    }
    void startLevelWatch() {
        // A line per level as it starts, so that a long run shows its progress.
        std::cout << "Soak: level " << levelNumber << " at frame " << bot.frames << ", " << bot.deaths
                  << " deaths" << std::endl;
        currentLevel = levelNumber;
        levelStarts.push_back(levelNumber);
        levelFrames.push_back(0);
        levelSeconds.push_back(0);
        levelDeaths.push_back(0);
        deathsBefore = bot.deaths;
        attemptFrames = 0;
        levelStarted = std::chrono::steady_clock::now();
    }
    static bool onTop(GameState* state) { return GameStateHandler::getInstance()->top() == state; }

    // Plays a recording in a fresh process of the real game; its exit status and its verdict line.
    static int verifyElsewhere(const std::string& file, std::string& output) {
        const std::string log = replay::folder + "verify.log";
        int status = std::system(("./vantreth --verify-replay '" + file + "' >'" + log + "' 2>&1").c_str());
        std::ifstream in(log);
        for (std::string line; std::getline(in, line);)
            if (line.rfind("replay ", 0) == 0)
                output = line;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    // The run's files are set aside for the test and the user's copies put back.
    RunDirFile config{"Config.cfg"};
    RunDirFile save{savePath("save")};
    RunDirFile autosave{savePath("autosave")};
    RunDirFile table{HighscoreTable::defaultPath};
    RunDirFile mapDump{"SaveData/map.txt"};
    RunDirFile history{runHistory::defaultPath};
    Bot bot;
    int currentLevel = -1;
    std::vector<int> levelStarts;
    std::vector<long> levelFrames;
    std::vector<double> levelSeconds;
    std::vector<int> levelDeaths;
    int deathsBefore = 0;
    int restartsBefore = 0;
    long attemptFrames = 0; // since the level began or was last restarted
    std::chrono::steady_clock::time_point started, levelStarted;
};

TEST_F(Soak, TheBotPlaysARunOfTenLevels) {
    int levels = levelsToPlay(10);
    ASSERT_TRUE(playUntil([&] { return bot.levelsCleared >= levels && onTop(Ingame::getInstance()); }));
    EXPECT_EQ(levelNumber, levels + 1);
    EXPECT_FALSE(Player::getInstance()->dead);
}

TEST_F(Soak, APadAloneClearsALevel) {
    bot.orders.gamepad = true;
    ASSERT_TRUE(playUntil([&] { return bot.levelsCleared >= 1 && onTop(Ingame::getInstance()); }));
    EXPECT_FALSE(Player::getInstance()->dead);
    EXPECT_TRUE(InputState::getInstance()->padActive);
}

TEST_F(Soak, ARunQuitToTheMenuGoesOnFromItsAutosave) {
    // The bot acts through the bindings: this run is played on moved keys and buttons.
    for (auto [action, code] : {std::pair{Action::MoveUp, sf::Keyboard::I},
                                {Action::UseLeft, sf::Keyboard::K},
                                {Action::Pause, sf::Keyboard::P},
                                {Action::Taser, sf::Keyboard::Space}})
        bindings.rebind(action, 0, {BoundInput::Kind::Key, code});
    // Two levels, then back to the main menu.
    ASSERT_TRUE(playUntil([&] { return bot.levelsCleared >= 2 && onTop(Ingame::getInstance()); }));
    ASSERT_EQ(levelNumber, 3);
    bot.orders.quitToMenu = true;
    ASSERT_TRUE(playUntil([&] { return onTop(MainMenuState::getInstance()); }));
    EXPECT_EQ(bot.quits, 1);

    // The autosave was written as level 2's score screen opened; it goes on with level 3.
    bot.orders.loadAutosave = true;
    ASSERT_TRUE(playUntil([&] { return onTop(Ingame::getInstance()); }));
    EXPECT_EQ(bot.loads, 1);
    EXPECT_EQ(levelNumber, 3);

    // A death on the way, and the level restarted from the game-over screen.
    bot.orders.fight = false;
    ASSERT_TRUE(playUntil([&] { return bot.deaths >= 1; }));
    bot.orders.fight = true;
    ASSERT_TRUE(playUntil([&] { return bot.restarts >= 1 && onTop(Ingame::getInstance()); }));
    EXPECT_EQ(levelNumber, 3);

    int cleared = bot.levelsCleared;
    ASSERT_TRUE(playUntil([&] { return bot.levelsCleared >= cleared + 2 && onTop(Ingame::getInstance()); }));
    EXPECT_EQ(levelNumber, 5);

    // Two recordings so far: the run quit to the menu, and the one loaded from its autosave
    // up to here; both play back alike elsewhere.
    replay::finishRecording();
    std::vector<RecordingEntry> recordings = listRecordings(replay::folder);
    ASSERT_EQ(recordings.size(), 2u);
    for (const RecordingEntry& entry : recordings) {
        std::string output;
        EXPECT_EQ(verifyElsewhere(entry.path, output), 0) << entry.path << ": " << output;
    }
    // And one record each: two levels cleared and quit; the deaths, two more levels, and the game closed.
    const std::vector<RunRecord> runs = runHistory::load();
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(runs[0].ending, "quit");
    EXPECT_EQ(runs[0].levelsCleared, 2);
    EXPECT_EQ(runs[0].deaths, 0);
    EXPECT_EQ(runs[1].ending, "closed");
    EXPECT_EQ(runs[1].levelsCleared, 2);
    EXPECT_EQ(runs[1].deaths, bot.deaths);
    EXPECT_EQ(runs[1].levelReached, 5);
    EXPECT_EQ(runs[1].score, totalScore);
}

TEST_F(Soak, WatchingARecordedHardcoreDeathWritesNothing) {
    // A hardcore run loaded on level 15, walked into the aliens until it dies.
    hardcoreMode = true;
    ASSERT_TRUE(continueFromSaveText("Hardcoremode:\n1\nDifficulty:\n14\n"));
    bot.orders.fight = false;
    ASSERT_TRUE(playUntil([&] { return bot.deaths >= 1; }));
    const std::string path = replay::lastRecordingPath();
    ASSERT_FALSE(path.empty());

    // The run's record is what the run did, and the recap names the same killer.
    const std::vector<RunRecord> runs = runHistory::load();
    ASSERT_EQ(runs.size(), 1u);
    const HitSource killer = Player::getInstance()->lastHit;
    EXPECT_NE(killer.by, HitSource::By::unknown);
    EXPECT_EQ(runs[0].killer, runlog::killerCode(killer));
    EXPECT_EQ(runs[0].mode, "hardcore");
    EXPECT_EQ(runs[0].ending, "died");
    EXPECT_EQ(runs[0].deaths, 1);
    EXPECT_EQ(runs[0].levelReached, levelNumber);
    EXPECT_EQ(runs[0].score, totalScore);
    EXPECT_EQ(runs[0].kills, (std::array<int, 3>{killCounts[0], killCounts[1], killCounts[2]}));
    EXPECT_EQ(runs[0].recording, std::filesystem::path(path).filename().string());
    std::string named = GameOverState::getInstance()->recap.killer.getString();
    EXPECT_EQ(named.substr(1), runlog::describe(killer).substr(1));

    // The files a hardcore death writes or deletes, as the one watching has them.
    save.write("the watcher's save");
    autosave.write("the watcher's autosave");
    table.write("Bo\n2\n10");
    ASSERT_TRUE(saveSettings());
    auto files = [] {
        std::map<std::string, std::string> found;
        for (const std::string& folder : {std::string("data/SaveData"), replay::folder})
            for (const auto& entry : std::filesystem::directory_iterator(folder)) {
                std::ifstream in(entry.path(), std::ios::binary);
                found[entry.path().string()] = std::string(std::istreambuf_iterator<char>(in), {});
            }
        std::ifstream settings("Config.cfg", std::ios::binary);
        found["Config.cfg"] = std::string(std::istreambuf_iterator<char>(settings), {});
        return found;
    };
    const std::map<std::string, std::string> before = files();

    ReplayPlayer player;
    std::string error;
    ASSERT_TRUE(player.load(path, error)) << error;
    player.begin();
    while (player.advance() == ReplayPlayer::Status::Playing) {
    }
    EXPECT_EQ(player.status(), ReplayPlayer::Status::Finished);
    EXPECT_EQ(GameStateHandler::getInstance()->top(), GameOverState::getInstance())
        << "the death was watched";
    player.end();
    EXPECT_EQ(files(), before);
}

TEST_F(Soak, ARecordedRunPlaysBackTheSameElsewhereAndAtAnySpeed) {
    // Three levels, saves and all, then back to the menu, which ends the recording.
    ASSERT_TRUE(playUntil([&] { return bot.levelsCleared >= 3 && onTop(Ingame::getInstance()); }));
    bot.orders.quitToMenu = true;
    ASSERT_TRUE(playUntil([&] { return onTop(MainMenuState::getInstance()); }));
    const std::string path = replay::lastRecordingPath();
    ASSERT_FALSE(path.empty());
    std::string error;
    std::optional<Recording> rec = readRecording(path, error);
    ASSERT_TRUE(rec) << error;
    EXPECT_EQ(rec->levelReached, 4);

    // A fresh process of the real game comes to the same state.
    std::string output;
    auto verifyStart = std::chrono::steady_clock::now();
    EXPECT_EQ(verifyElsewhere(path, output), 0);
    double verifySeconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - verifyStart).count();
    std::cout << "Soak: the recording (" << rec->frames << " frames, " << std::filesystem::file_size(path)
              << " bytes) verified in " << verifySeconds << " s with start-up, "
              << static_cast<double>(rec->frames) / verifySeconds << " frames/s" << std::endl;
    EXPECT_EQ(output, "replay ok: level 4, score " + std::to_string(rec->score) + ", frames " +
                          std::to_string(rec->frames));

    // Pictures drawn between frames change nothing, at 1x or 8x.
    for (int speed : {1, 4}) {
        ASSERT_TRUE(ReplayViewer::request(path, ReplayViewer::Back::mainMenu, error));
        ReplayViewer viewer;
        viewer.start();
        viewer.speedIndex = speed;
        for (int picture = 0; picture < 80; ++picture) {
            viewer.control({}, maxFrameTime);
            drawFrame();
        }
        EXPECT_EQ(viewer.playing()->status(), ReplayPlayer::Status::Playing);
        EXPECT_GE(viewer.playing()->frame(), 79u);
        viewer.stop();
    }

    // One flipped byte in the first frame's step: caught at the first checksum after it.
    std::string bytes = rec->frameBytes;
    bytes[1] = static_cast<char>(bytes[1] ^ 0x10);
    rec->frameBytes = bytes;
    const std::string flipped = replay::folder + "flipped.vrp";
    ASSERT_TRUE(writeRecording(flipped, *rec));
    ReplayPlayer player;
    ASSERT_TRUE(player.load(flipped, error));
    player.begin();
    while (player.advance() == ReplayPlayer::Status::Playing) {
    }
    EXPECT_EQ(player.status(), ReplayPlayer::Status::Diverged);
    EXPECT_EQ(player.frame() % replay::checksumEvery, 0u);
    player.end();
    EXPECT_EQ(verifyElsewhere(flipped, output), 1);
    EXPECT_EQ(output, "replay diverged at frame " + std::to_string(player.frame()));
}

} // namespace

TEST_F(Soak, TwoWaysOfPlayingOneSeedMeetTheSameLevelsAndOffersAndADailyVerifies) {
    // Each level's map and the offers after it, by level, as one way of playing met them.
    using Met = std::map<int, std::pair<std::uint32_t, std::string>>;
    auto play = [this](bool pad, unsigned before) {
        Met met;
        bot = Bot{};
        bot.orders.gamepad = pad;
        bot.orders.saveOneIn = 0;
        currentLevel = -1;
        std::srand(before);
        std::string why;
        startSeededRun(*parseSeed("K7QX-M2PA", why));
        EXPECT_TRUE(playUntil([&] {
            if (onTop(Ingame::getInstance()))
                met[levelNumber].first = Maphandler::getInstance()->currentMap()->fingerprint;
            UpgradeState* upgrade = UpgradeState::getInstance();
            if (onTop(upgrade) && met[levelNumber].second.empty())
                for (const auto& item : upgrade->loot)
                    met[levelNumber].second += item ? item->getName() + ";" : "-;";
            return levelNumber == 4 && onTop(Ingame::getInstance());
        }));
        returnToMainMenu();
        return met;
    };
    const Met keys = play(false, 1), pad = play(true, 2);
    ASSERT_EQ(keys.size(), 4u);
    EXPECT_EQ(keys, pad);
    EXPECT_NE(keys.at(2).first, keys.at(3).first) << "the levels were really made";

    // A daily attempt's recording carries its day and verdict and verifies
    // elsewhere; under other rules it is refused. The table names it.
    RunDirFile dailyFile{DailyTable::defaultPath};
    DailyTable noted;
    ASSERT_TRUE(noted.beginAttempt("2026-12-07", "Bot") && noted.save());
    startDailyRun("2026-12-07", true);
    ASSERT_TRUE(playUntil([&] { return levelNumber == 2 && onTop(Ingame::getInstance()); }));
    returnToMainMenu();
    replay::finishRecording();
    const std::string path = replay::lastRecordingPath();
    EXPECT_NE(path.find(replay::dailyMark), std::string::npos);
    std::string error, output;
    std::optional<Recording> rec = readRecording(path, error);
    ASSERT_TRUE(rec) << error;
    EXPECT_EQ(rec->run.day, "2026-12-07");
    EXPECT_TRUE(rec->run.counts);
    EXPECT_EQ(verifyElsewhere(path, output), 0) << output;
    rec->rules = replay::rulesRevision - 1;
    ASSERT_TRUE(writeRecording(replay::folder + "older.vrp", *rec));
    EXPECT_EQ(verifyElsewhere(replay::folder + "older.vrp", output), 2);
    EXPECT_EQ(DailyTable::load().find("2026-12-07")->recording,
              std::filesystem::path(path).filename().string());
}
