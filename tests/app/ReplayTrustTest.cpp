// A recording must play back as the run it shows whatever the watcher has:
// other saves on disk, other settings, another window in front. Each test
// plays a run through the real states with input written frame by frame,
// then plays its recording back in the same process under other conditions
// and compares, frame by frame, what the screen on top offered: which
// buttons were lit and which had the focus. That is what the keys act on,
// so a difference there is a run that forks, even before a checksum shows it.

#include "app/Replay.h"

#include "actors/Player.h"
#include "app/Game.h"
#include "app/GameOverState.h"
#include "app/GameStateHandler.h"
#include "app/MainMenuState.h"
#include "app/MenuState.h"
#include "app/OptionsState.h"
#include "app/PauseMenu.h"
#include "app/ReplayViewer.h"
#include "bot/Bot.h"
#include "core/Contenthandler.h"
#include "core/Globals.h"
#include "core/InputState.h"
#include "core/Settings.h"
#include "persistence/HighscoreTable.h"
#include "persistence/SaveGame.h"
#include "screens/Ingame.h"
#include "screens/LevelFlow.h"
#include "support/GameFolder.h"
#include "support/ScriptedRun.h"

#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Window/Keyboard.hpp>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <sstream>
#include <string>
#include <typeinfo>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Key = sf::Keyboard::Key;

// What a frame left on screen for the keys to act on.
struct Offer {
    const GameState* top = nullptr; // compared only
    std::vector<bool> lit;
    int focus = -1;
    bool operator==(const Offer&) const = default;
};

std::string describe(const Offer& offer) {
    std::string text = offer.top ? typeid(*offer.top).name() : "nothing";
    text += " lit ";
    for (bool lit : offer.lit)
        text += lit ? '1' : '0';
    return text + " focus " + std::to_string(offer.focus);
}

Offer offerOnScreen() {
    Offer offer;
    offer.top = GameStateHandler::getInstance()->top();
    if (const auto* menu = dynamic_cast<const MenuState*>(offer.top)) {
        for (const MenuButton& button : menu->buttons)
            offer.lit.push_back(button.isEnabled());
        offer.focus = menu->focus;
    }
    return offer;
}

class ReplayTrust : public ScriptedRun {
  protected:
    void afterFrame(bool recorded) override {
        if (recorded)
            live.push_back(offerOnScreen());
    }
    void botFrame(Bot& bot, bool draw) {
        const bool recorded = replay::recording();
        bot.step(maxFrameTime, draw);
        afterFrame(recorded);
    }

    // Plays the last recording back here; Finished when it held all the way,
    // with what each frame offered compared to the live run's.
    ReplayPlayer::Status playBack() {
        ReplayPlayer player;
        std::string error;
        EXPECT_TRUE(player.load(replay::lastRecordingPath(), error)) << error;
        player.begin();
        std::vector<Offer> seen;
        while (player.advance() == ReplayPlayer::Status::Playing)
            seen.push_back(offerOnScreen());
        if (player.status() == ReplayPlayer::Status::Finished)
            seen.push_back(offerOnScreen());
        for (std::size_t i = 0; i < std::min(seen.size(), live.size()); ++i)
            if (!(seen[i] == live[i])) {
                ADD_FAILURE() << "frame " << i + 1 << " offered otherwise in playback: " << describe(seen[i])
                              << " instead of " << describe(live[i]);
                break;
            }
        EXPECT_EQ(seen.size(), live.size());
        player.end();
        return player.status();
    }

    std::vector<Offer> live;
};

TEST_F(ReplayTrust, MenusLightTheSameButtonsWhateverTheWatchersSavesAndSettings) {
    // The run's own world: an autosave but no save on disk, the music off,
    // effects at full, and an unapplied resolution left in the options menu.
    autosave.write("Difficulty\n2\n");
    musicVolume = 0;
    soundVolume = 100;
    pauseOnFocusLoss = true;
    resolutions = {{1280, 720}, {1920, 1080}};
    currentResolution = 1;
    MenuCopies unapplied = OptionsState::getInstance()->copies();
    unapplied.resolution = 0;
    unapplied.musicVolume = 0;
    unapplied.soundVolume = 100;
    OptionsState::getInstance()->setCopies(unapplied);

    script.tap(Key::Enter); // "New Game"
    ASSERT_TRUE(replay::recording());
    script.idle(20);
    script.tap(Key::Escape);
    ASSERT_EQ(GameStateHandler::getInstance()->top(), PauseMenu::getInstance());
    script.tap(Key::Down);
    script.tap(Key::Enter); // "Options"
    ASSERT_EQ(GameStateHandler::getInstance()->top(), OptionsState::getInstance());
    script.tap(Key::Right);
    script.tap(Key::Enter);
    script.tap(Key::Escape);
    script.tap(Key::Escape);
    ASSERT_EQ(GameStateHandler::getInstance()->top(), Ingame::getInstance());
    // The focus lost and back within one frame still pauses, at the same point.
    script.frame({}, std::nullopt, true, true);
    ASSERT_EQ(GameStateHandler::getInstance()->top(), PauseMenu::getInstance());
    script.tap(Key::Escape);
    script.frame({}, std::nullopt, false, true);
    script.frame({}, std::nullopt, false);
    script.tap(Key::Escape);
    script.tap(Key::Enter); // the pause menu's first lit button: "Load Autosave", which cannot load
    script.idle(5);
    replay::finishRecording();

    // The watcher: a save but no autosave, other volumes, another resolution
    // list, no unapplied edit, no pause on focus loss, little shake.
    const std::string watcherAutosave = autosave.read();
    std::filesystem::remove(autosave.path);
    save.write("Difficulty\n4\n");
    musicVolume = soundVolume = 50;
    pauseOnFocusLoss = false;
    shakePercent = 30;
    resolutions = {{800, 600}};
    currentResolution = 0;
    MenuCopies watcherCopies = OptionsState::getInstance()->copies();
    watcherCopies.resolution = 0;
    OptionsState::getInstance()->setCopies(watcherCopies);
    EXPECT_EQ(playBack(), ReplayPlayer::Status::Finished);
    EXPECT_EQ(musicVolume, 50);
    EXPECT_EQ(resolutions, (std::vector<std::pair<int, int>>{{800, 600}}));
    EXPECT_EQ(OptionsState::getInstance()->copies(), watcherCopies);
    EXPECT_EQ(Contenthandler::getInstance()->pinnedMusicVolume, -1);

    // A setting the recording lacks is a first start's, not the watcher's.
    std::string error;
    std::optional<Recording> rec = readRecording(replay::lastRecordingPath(), error);
    ASSERT_TRUE(rec) << error;
    std::istringstream lines(rec->settings);
    std::string kept;
    for (std::string line; std::getline(lines, line);)
        if (line.rfind("SHAKE:", 0) != 0)
            kept += line + "\n";
    rec->settings = kept;
    const std::string edited = replay::folder + "edited.vrp";
    ASSERT_TRUE(writeRecording(edited, *rec));
    ReplayPlayer player;
    ASSERT_TRUE(player.load(edited, error)) << error;
    player.begin();
    EXPECT_EQ(shakePercent, 100);
    player.end();
    EXPECT_EQ(shakePercent, 30);
}

TEST_F(ReplayTrust, TheGameOverScreenLightsTheSameButtonsWhileWatched) {
    Bot bot;
    bot.orders.fight = false;
    while (GameStateHandler::getInstance()->top() != GameOverState::getInstance() && bot.frames < 20000)
        botFrame(bot, false);
    ASSERT_EQ(GameStateHandler::getInstance()->top(), GameOverState::getInstance());
    // Down twice reaches "Watch" only where it is lit, or wraps round to "Restart".
    script.tap(Key::Down);
    script.tap(Key::Down);
    script.frame({Key::Enter});
    ASSERT_FALSE(replay::recording()) << "watching ends the run's recording";
    live.pop_back(); // a recording ended mid-frame holds the frames before
    EXPECT_TRUE(ReplayViewer::startRequested());
    EXPECT_EQ(playBack(), ReplayPlayer::Status::Finished);
}

TEST_F(ReplayTrust, AnotherWindowTakingTheFocusChangesNoScriptedRun) {
    pauseOnFocusLoss = true;
    Bot bot;
    sf::RenderWindow other;
    while (bot.frames < 400) {
        if (bot.frames == 100) {
            other.create(sf::VideoMode(320, 200), "Another game");
            other.requestFocus();
        }
        if (bot.frames == 300) {
            other.close();
            gameWindow().requestFocus();
        }
        botFrame(bot, bot.frames % 20 == 0);
    }
    replay::finishRecording();
    EXPECT_EQ(playBack(), ReplayPlayer::Status::Finished);

    // And in a fresh process; the sanitizer build's run is also handed to
    // the other build's game (the test script names it), so that recordings
    // travel between builds both ways.
    std::vector<std::string> games{"vantreth"};
    if (const char* otherGame = std::getenv("VANTRETH_OTHER_GAME"))
        games.push_back(otherGame);
    for (const std::string& game : games) {
        GameFolder folder("vantreth-trust-verify", game);
        fs::copy_file(replay::lastRecordingPath(), folder.root / "run.vrp");
        std::string output;
        EXPECT_EQ(folder.run("--verify-replay run.vrp", output), 0) << game << ": " << output;
    }
}

// Nothing of the run played before reaches the next one: the taser starts
// charging as in a fresh process.
TEST_F(ReplayTrust, ARunStartsWithTheTaserOfAFreshPlayer) {
    const Tazer fresh;
    Player* player = Player::getInstance();
    startNewRun();
    player->taser.rechargeTimer.remaining = 0; // charged during the run before
    player->taser.active = true;
    player->Grapple = 7;
    startNewRun();
    EXPECT_EQ(player->taser.rechargeTimer.remaining, fresh.rechargeTimer.remaining);
    EXPECT_EQ(player->taser.rechargeTimer.running, fresh.rechargeTimer.running);
    EXPECT_FALSE(player->taser.active);
    EXPECT_EQ(player->Grapple, 0);

    // And from a save: loaded over a run whose taser was ready.
    startNewRun();
    const std::string path = replay::folder + "save.txt";
    fs::create_directories(replay::folder);
    ASSERT_TRUE(writeSaveFile(path));
    std::optional<std::string> text = readSaveText(path);
    ASSERT_TRUE(text);
    player->taser.rechargeTimer.remaining = 0;
    ASSERT_TRUE(continueFromSaveText(*text));
    EXPECT_EQ(player->taser.rechargeTimer.remaining, fresh.rechargeTimer.remaining);
}

} // namespace
