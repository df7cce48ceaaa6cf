#pragma once
// The real game started in the test process, at the main menu, with a fixed
// seed, driven frame by frame through the sampling seam with input a test
// writes (`script`): held keys and a pad reading, as the devices give them.
// Recordings go to a folder of the process's own; the run directory's
// settings, saves and highscore table are set aside for the test.

#include "app/Game.h"
#include "app/GameStateHandler.h"
#include "app/MainMenuState.h"
#include "app/Replay.h"
#include "bot/ScriptedInput.h"
#include "core/Globals.h"
#include "core/InputState.h"
#include "core/Settings.h"
#include "persistence/HighscoreTable.h"
#include "persistence/SaveGame.h"
#include "support/RunDirFile.h"

#include <SFML/Window/Keyboard.hpp>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
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
        script.afterFrame = [this](bool recorded) { afterFrame(recorded); };
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

    ScriptedInput script;
    RunDirFile config{"Config.cfg"};
    RunDirFile save{savePath("save")};
    RunDirFile autosave{savePath("autosave")};
    RunDirFile table{HighscoreTable::defaultPath};
};
