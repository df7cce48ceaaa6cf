#include "screens/LevelFlow.h"

#include "actors/Player.h"
#include "app/GameStateHandler.h"
#include "app/MainMenuState.h"
#include "app/OverlayInfoState.h"
#include "app/PauseMenu.h"
#include "core/Globals.h"
#include "core/InputState.h"
#include "core/Settings.h"
#include "items/ItemDatabase.h"
#include "persistence/SaveGame.h"
#include "screens/Ingame.h"
#include "screens/IntermissionState.h"
#include "screens/ScoreScreenState.h"
#include "screens/UpgradeState.h"
#include "support/RunDirFile.h"
#include "world/Maphandler.h"
#include "world/Score.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace {

class LevelFlow : public ::testing::Test {
  protected:
    void SetUp() override {
        handler = GameStateHandler::getInstance();
        handler->states = {MainMenuState::getInstance()};
        handler->cancelScheduled();
        savedInfoOnce = showGameInfoOnce;
        showGameInfoOnce = false;
        hardcoreMode = false;
        std::srand(7);
    }
    void TearDown() override {
        handler->states.clear();
        handler->cancelScheduled();
        showGameInfoOnce = savedInfoOnce;
        levelNumber = 1;
        resetScores();
        Player::getInstance()->resetForLevel(true);
    }
    // Frames of the whole stack, as the game loop runs them.
    void run(float seconds) {
        for (float t = 0; t < seconds; t += 0.05f)
            handler->update(0.05f);
    }
    bool onStack(GameState* state) const {
        return std::find(handler->states.begin(), handler->states.end(), state) != handler->states.end();
    }

    // A score screen the flow opens autosaves; the player's own autosave is kept out of reach.
    RunDirFile autosave{savePath("autosave")};
    GameStateHandler* handler = nullptr;
    bool savedInfoOnce = false;
};

TEST_F(LevelFlow, ANewRunGeneratesItsFirstLevelOnce) {
    // A first start: no map handler yet, as when "New Game" is the first click.
    Maphandler::destroyInstance();
    testing::internal::CaptureStdout();
    startNewRun();
    const std::string log = testing::internal::GetCapturedStdout();
    std::size_t generations = 0;
    for (std::size_t at = log.find("Map generation took A TOTAL OF"); at != std::string::npos;
         at = log.find("Map generation took A TOTAL OF", at + 1))
        ++generations;
    EXPECT_EQ(generations, 1u);
    EXPECT_EQ(levelNumber, 1);
    EXPECT_EQ(handler->states,
              (std::vector<GameState*>{Ingame::getInstance(), MainMenuState::getInstance()}));
}

// A screen scheduled by the level waits while a menu covers the level and
// lands over the level itself, never over the pause menu.
TEST_F(LevelFlow, TheScoreScreenWaitsUnderThePauseMenuAndLandsOverTheLevel) {
    startNewRun();
    Ingame* level = Ingame::getInstance();
    level->settle({{LevelEvent::Kind::machineDestroyed, 0, 0, {}, {}}});
    run(0.5f);
    handler->pushState(PauseMenu::getInstance());
    run(3.0f);
    EXPECT_EQ(handler->top(), PauseMenu::getInstance());
    EXPECT_FALSE(onStack(ScoreScreenState::getInstance()));

    handler->popState();
    run(0.5f);
    EXPECT_EQ(handler->top(), level) << "the wait goes on where it stopped";
    run(1.0f);
    ASSERT_EQ(handler->top(), ScoreScreenState::getInstance());
    EXPECT_EQ(handler->states[1], level);
}

TEST_F(LevelFlow, ContinueLeavesOnlyTheLevelUnderTheOpeningDoors) {
    startNewRun();
    // A pause menu left over the level by an older fault must not survive the level change.
    handler->states.insert(handler->states.begin(), PauseMenu::getInstance());
    handler->pushState(UpgradeState::getInstance());
    enterNextLevel();
    EXPECT_EQ(levelNumber, 2);
    EXPECT_EQ(handler->states,
              (std::vector<GameState*>{IntermissionState::getInstance(), Ingame::getInstance(),
                                       MainMenuState::getInstance()}));
    IntermissionState::getInstance()->resetToClosing();
}

TEST_F(LevelFlow, TheFirstStartOverlayOpenedByHandIsNotShownTwice) {
    startNewRun();
    OverlayInfoState* overlay = OverlayInfoState::getInstance();
    handler->scheduleState(overlay, 0.5f);
    handler->pushState(overlay); // F1 before the overlay came by itself
    handler->popState();
    run(1.0f);
    EXPECT_EQ(handler->top(), Ingame::getInstance());
}

TEST_F(LevelFlow, RestartingKeepsTheRunsExperienceStatsAndItemsOnANewMapOfTheSameLevel) {
    startNewRun();
    Player* player = Player::getInstance();
    auto expectRunKept = [player] {
        EXPECT_EQ(player->XP, 5000);
        EXPECT_EQ(player->Level, 3);
        EXPECT_EQ(player->Health, 2);
        EXPECT_EQ(player->Statpoints, 1);
    };
    player->XP = 5000;
    player->Level = 3;
    player->Health = 2;
    player->Statpoints = 1;
    player->inventory[0] = std::make_unique<Weapon>(weaponTemplates.back());
    const Item* held[3] = {player->inventory[0].get(), player->inventory[1].get(),
                           player->inventory[2].get()};
    levelNumber = 4;
    testing::internal::CaptureStdout();
    restartLevel();
    const std::string log = testing::internal::GetCapturedStdout();
    EXPECT_NE(log.find("Map generation took A TOTAL OF"), std::string::npos) << "a map made afresh";
    EXPECT_EQ(levelNumber, 4);
    Map* map = Maphandler::getInstance()->currentMap();
    ASSERT_NE(map, nullptr);
    EXPECT_GE(map->columns(), 50 + 4) << "sized for level 4";
    EXPECT_LE(map->columns(), 50 + 8);
    expectRunKept();
    for (std::size_t i = 0; i < 3; ++i)
        EXPECT_EQ(player->inventory[i].get(), held[i]);

    // On the first level the player's reset hands out the starting kit again.
    levelNumber = 1;
    restartLevel();
    expectRunKept();
    EXPECT_EQ(player->inventory[0]->getBasename(), "9mm pistol");
    EXPECT_EQ(handler->top(), Ingame::getInstance());
}

TEST_F(LevelFlow, ADamagedSaveLeavesThePausedRunAndSaysSoOnTheButton) {
    RunDirFile save{savePath("save")};
    save.write("\x89PNG\r\n\x1a\nIHDR");
    startNewRun();
    PauseMenu* pause = PauseMenu::getInstance();
    handler->pushState(pause);
    const std::vector<GameState*> paused = handler->states;
    InputState::getInstance()->saveOnDisk = true; // as the frame found the disk
    ASSERT_TRUE(PauseMenu::saveLoadable());
    pause->buttons[0].onLeftClick();
    EXPECT_EQ(handler->states, paused);
    EXPECT_EQ(levelNumber, 1);
    EXPECT_EQ(pause->buttons[0].altLabel.getString(), "Cannot load");

    // A good save loads over the main menu, and the button forgets the failure.
    ASSERT_TRUE(saveGame("save"));
    pause->buttons[0].onLeftClick();
    EXPECT_EQ(handler->states,
              (std::vector<GameState*>{Ingame::getInstance(), MainMenuState::getInstance()}));
    EXPECT_EQ(levelNumber, 2);
    EXPECT_EQ(pause->buttons[0].altLabel.getString(), "");
}

} // namespace
