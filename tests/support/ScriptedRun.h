#pragma once
// The real game started in the test process, at the main menu, with a fixed
// seed, driven frame by frame through the sampling seam with input a test
// writes: held keys and a pad reading, as the devices would give them.
// Recordings go to a folder of the process's own; the run directory's
// settings, saves and highscore table are set aside for the test.

#include "app/Game.h"
#include "app/GameStateHandler.h"
#include "app/MainMenuState.h"
#include "app/Replay.h"
#include "core/Globals.h"
#include "core/InputState.h"
#include "core/Settings.h"
#include "persistence/HighscoreTable.h"
#include "persistence/SaveGame.h"
#include "support/RunDirFile.h"

#include <SFML/Window/Keyboard.hpp>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <initializer_list>
#include <iterator>
#include <optional>
#include <string>
#include <unistd.h>

class ScriptedRun : public ::testing::Test {
  protected:
    using Key = sf::Keyboard::Key;

    void SetUp() override {
        replay::folder =
            (std::filesystem::temp_directory_path() / ("vantreth-scripted-" + std::to_string(::getpid())))
                .string() +
            "/";
        startUp(false);
        std::srand(20261207);
        hardcoreMode = false;
        showGameInfoOnce = showUpgradeHelpOnce = false;
        GameStateHandler::getInstance()->changeState(MainMenuState::getInstance());
        levelNumber = 1;
    }
    void TearDown() override {
        GameStateHandler* handler = GameStateHandler::getInstance();
        handler->delayActive = false;
        handler->pendingState = nullptr;
        shutDown();
        HighscoreTable::destroyInstance();
        std::filesystem::remove_all(replay::folder);
    }

    // Called after each frame with whether the recording held that frame.
    virtual void afterFrame(bool /*recorded*/) {}

    // One frame with exactly these keys held and this pad reading (by
    // default a pad at rest, plugged in once a pad was used).
    void frame(std::initializer_list<Key> held = {}, std::optional<PadReading> pad = std::nullopt,
               bool focus = true, bool focusLost = false) {
        if (pad && pad->connected)
            padPlugged = true;
        const PadReading reading = pad ? *pad : PadReading{padPlugged, {}, {}, {}};
        const bool recorded = replay::recording();
        runScriptedFrame(
            maxFrameTime,
            [&](InputState& input) {
                std::fill(std::begin(input.keys), std::end(input.keys), false);
                std::fill(std::begin(input.buttons), std::end(input.buttons), false);
                for (Key k : held)
                    input.keys[k] = true;
                input.samplePad(reading);
                input.hasFocus = focus;
                input.focusLost = focusLost;
            },
            false);
        afterFrame(recorded);
    }
    void tap(Key key) {
        frame({key});
        frame();
    }
    // A pad button pressed for one frame, the pad left alone the next.
    void tap(PadButton button) {
        PadReading pad{true, {}, {}, {}};
        pad.buttons[static_cast<std::size_t>(button)] = true;
        frame({}, pad);
        frame();
    }
    void idle(int frames) {
        for (int i = 0; i < frames; ++i)
            frame();
    }

    bool padPlugged = false;
    RunDirFile config{"Config.cfg"};
    RunDirFile save{savePath("save")};
    RunDirFile autosave{savePath("autosave")};
    RunDirFile table{HighscoreTable::defaultPath};
};
