// The golden runs: recordings made with the real game and kept in
// tests/data. They pin the rules: any change that alters play makes them
// diverge, and must raise the rules revision and record them again
// (scripts/record-golden.sh, which runs the Record tests below).
//
// Each is verified in a fresh process of the game, from a folder of its own
// that holds other settings, other saves and another window size than the
// run had, and the verifier must leave that folder as it found it.

#include "app/GameOverState.h"
#include "app/OptionsState.h"
#include "app/PauseMenu.h"
#include "app/TextEntry.h"
#include "bot/Bot.h"
#include "screens/HSinputscreen.h"
#include "screens/Ingame.h"
#include "support/GameFolder.h"
#include "support/ScriptedRun.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
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

TEST(GoldenRuns, EveryGoldenRunPlaysBackInAFreshProcessWhateverTheWatcherHas) {
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
    }
}

// A recording of other rules is named for what it is, never played as ours.
TEST(GoldenRuns, ARecordingOfOtherRulesIsRefusedWithItsRevision) {
    std::string error;
    std::optional<Recording> rec = readRecording(goldenRuns().front().string(), error);
    ASSERT_TRUE(rec) << error;
    rec->rules = 1;
    GameFolder folder("vantreth-golden-old");
    ASSERT_TRUE(writeRecording((folder.root / "old.vrp").string(), *rec));
    std::string output;
    EXPECT_EQ(folder.run("--verify-replay old.vrp", output), 2);
    EXPECT_NE(output.find("not a usable recording: old.vrp: recorded with rules 1, this game plays rules " +
                          std::to_string(replay::rulesRevision)),
              std::string::npos)
        << output;
}

// Recording them again: VANTRETH_RECORD_GOLDEN=1, see scripts/record-golden.sh.
class RecordGolden : public ScriptedRun {
  protected:
    void SetUp() override {
        if (!std::getenv("VANTRETH_RECORD_GOLDEN"))
            GTEST_SKIP() << "records only when asked to";
        ScriptedRun::SetUp();
    }
    void keep(const std::string& name) {
        const std::string& made = replay::lastRecordingPath();
        ASSERT_FALSE(made.empty());
        fs::copy_file(made, goldenFolder / (name + ".vrp"), fs::copy_options::overwrite_existing);
    }
    static bool onTop(GameState* state) { return GameStateHandler::getInstance()->top() == state; }
    // Bot frames until done, within a bound that fails the recording instead of hanging.
    void botUntil(Bot& bot, const std::function<bool()>& done) {
        for (long limit = bot.frames + 60000; !done();) {
            bot.step(maxFrameTime, false);
            ASSERT_LT(bot.frames, limit) << bot.describe();
        }
    }
    // Keys (or the D-pad) toward a menu's labelled button until it has the focus, then Enter (or A).
    void choose(MenuState& menu, const std::string& label, bool pad = false) {
        for (int step = 0; step < 40; ++step) {
            const int target = indexOf(menu, label);
            ASSERT_GE(target, 0) << label;
            // Before the first move the focus rests on the first lit button.
            int focus = menu.focus;
            for (std::size_t i = 0; focus < 0 && i < menu.buttons.size(); ++i)
                if (menu.buttons[i].isEnabled())
                    focus = static_cast<int>(i);
            if (focus == target)
                break;
            sf::Vector2i from = menu.buttons[static_cast<std::size_t>(focus)].target;
            sf::Vector2i d = menu.buttons[static_cast<std::size_t>(target)].target - from;
            bool across = std::abs(d.x) > std::abs(d.y);
            if (pad)
                tap(across ? (d.x > 0 ? PadButton::DpadRight : PadButton::DpadLeft)
                           : (d.y > 0 ? PadButton::DpadDown : PadButton::DpadUp));
            else
                tap(across ? (d.x > 0 ? Key::Right : Key::Left) : (d.y > 0 ? Key::Down : Key::Up));
        }
        if (pad)
            tap(PadButton::A);
        else
            tap(Key::Enter);
    }
    static int indexOf(const MenuState& menu, const std::string& label) {
        for (std::size_t i = 0; i < menu.buttons.size(); ++i)
            if (menu.buttons[i].label.getString().toAnsiString() == label)
                return static_cast<int>(i);
        return -1;
    }
};

TEST_F(RecordGolden, TheBotThroughFiveLevels) {
    Bot bot;
    botUntil(bot, [&] { return bot.levelsCleared >= 5 && onTop(Ingame::getInstance()); });
    bot.orders.quitToMenu = true;
    botUntil(bot, [&] { return onTop(MainMenuState::getInstance()); });
    keep("bot-five-levels");
}

// Keys and pad readings only, through every menu of the pause menu, ending
// in a load of the autosave; the run it loads is the next golden run.
TEST_F(RecordGolden, KeysAndPadThroughTheMenusThenARunFromTheAutosave) {
    Bot bot;
    bot.orders.saveOneIn = 0;
    botUntil(bot, [&] { return bot.levelsCleared >= 1 && onTop(Ingame::getInstance()); });
    bot.orders.quitToMenu = true;
    botUntil(bot, [&] { return onTop(MainMenuState::getInstance()); });
    ASSERT_TRUE(autosave.exists());

    idle(5);
    choose(*MainMenuState::getInstance(), "New Game");
    ASSERT_TRUE(onTop(Ingame::getInstance()));
    for (int i = 0; i < 40; ++i)
        frame({Key::D, Key::S});
    PadReading aim{true, {}, {0.6f, 0}, {0.9f, -0.3f}};
    for (int i = 0; i < 30; ++i) {
        aim.buttons[static_cast<std::size_t>(PadButton::RT)] = i % 10 < 5;
        frame({}, aim);
    }
    tap(Key::Escape);
    ASSERT_TRUE(onTop(PauseMenu::getInstance()));
    choose(*PauseMenu::getInstance(), "Options");
    OptionsState* options = OptionsState::getInstance();
    ASSERT_TRUE(onTop(options));
    choose(*options, "+");
    choose(*options, "Comfort", true);
    ASSERT_FALSE(onTop(options));
    tap(Key::Enter); // the comfort page's first row
    tap(Key::Escape);
    ASSERT_TRUE(onTop(options));
    choose(*options, "Controls");
    ASSERT_FALSE(onTop(options));
    idle(3);
    tap(Key::Escape);
    ASSERT_TRUE(onTop(options));
    tap(Key::Escape);
    ASSERT_TRUE(onTop(PauseMenu::getInstance()));
    choose(*PauseMenu::getInstance(), "Load Autosave", true);
    ASSERT_TRUE(onTop(Ingame::getInstance()));
    keep("keys-and-pad-menus");

    bot.orders.quitToMenu = false;
    const int cleared = bot.levelsCleared;
    botUntil(bot, [&] { return bot.levelsCleared > cleared && onTop(Ingame::getInstance()); });
    bot.orders.quitToMenu = true;
    botUntil(bot, [&] { return onTop(MainMenuState::getInstance()); });
    keep("from-the-autosave");
}

TEST_F(RecordGolden, AHardcoreDeathThatRanksThenANameSpeltOnAPad) {
    hardcoreMode = true;
    Bot bot;
    bot.orders.fight = false;
    botUntil(bot, [&] { return onTop(GameOverState::getInstance()); });
    ASSERT_TRUE(GameOverState::getInstance()->highscoreOffered);
    keep("hardcore-death");

    choose(*GameOverState::getInstance(), "Highscore!", true);
    ASSERT_TRUE(onTop(HSinputscreen::getInstance()));
    while (!enteredName.empty())
        tap(PadButton::DpadLeft);
    for (int letter : {2, 0, 3}) { // C, A, D: each a new A stepped up the alphabet
        tap(PadButton::DpadRight);
        for (int i = 0; i < letter; ++i)
            tap(PadButton::DpadUp);
    }
    ASSERT_EQ(enteredName, "CAD");
    tap(PadButton::A);
    EXPECT_EQ(HighscoreTable::getInstance()->lines.front(), "CAD");
}

} // namespace
