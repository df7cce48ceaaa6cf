#include "app/GameOverState.h"

#include "actors/Player.h"
#include "app/GameStateHandler.h"
#include "app/MainMenuState.h"
#include "app/MenuActions.h"
#include "app/PauseMenu.h"
#include "core/AtomicFile.h"
#include "core/Globals.h"
#include "core/Settings.h"
#include "persistence/HighscoreTable.h"
#include "persistence/SaveGame.h"
#include "screens/HSinputscreen.h"
#include "screens/Ingame.h"
#include "support/RunDirFile.h"
#include "world/Map.h"
#include "world/Score.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// A death with both save files and a one-entry table on disk.
class GameOverTest : public ::testing::Test {
  protected:
    void SetUp() override {
        savedHardcore = hardcoreMode;
        handler = GameStateHandler::getInstance();
        handler->states.clear();
        HighscoreTable::destroyInstance();
        save.write("save");
        autosave.write("autosave");
        saveBackup.write("save backup");
        table.write("Bo\n2\n900");
        totalScore = 1000;
        carnageBonus = 10;
        timeBonus = 20;
        alienKillBonus = 30;
    }
    void TearDown() override {
        while (!handler->states.empty())
            handler->popState();
        handler->delayActive = false;
        handler->pendingState = nullptr;
        HighscoreTable::destroyInstance();
        hardcoreMode = savedHardcore;
        resetScores();
    }
    // The second button's label and whether "Restart" is lit, after one frame.
    std::string secondLabel() { return gameOver()->buttons[1].label.getString(); }
    bool restartLit() {
        gameOver()->update(0);
        return gameOver()->buttons[0].enabled;
    }
    static GameOverState* gameOver() { return GameOverState::getInstance(); }

    RunDirFile save{savePath("save")};
    RunDirFile autosave{savePath("autosave")};
    RunDirFile saveBackup{backupPath(savePath("save"))};
    RunDirFile autosaveBackup{backupPath(savePath("autosave"))};
    RunDirFile table{HighscoreTable::defaultPath};
    GameStateHandler* handler = nullptr;
    bool savedHardcore = false;
};

TEST_F(GameOverTest, ANormalDeathNeverTouchesTheSavesOrTheTable) {
    hardcoreMode = false;
    totalScore = 5000;
    handler->pushState(gameOver());
    EXPECT_EQ(save.read(), "save");
    EXPECT_EQ(autosave.read(), "autosave");
    EXPECT_EQ(saveBackup.read(), "save backup");
    EXPECT_EQ(table.read(), "Bo\n2\n900");
    EXPECT_EQ(totalScore, 5000);
    EXPECT_EQ(secondLabel(), "Quit");
    EXPECT_TRUE(restartLit());
}

TEST_F(GameOverTest, AHardcoreDeathDeletesBothSavesBanksTheLevelAndAsksTheTableOnce) {
    hardcoreMode = true;
    autosaveBackup.write("autosave backup");
    handler->pushState(gameOver());
    EXPECT_FALSE(save.exists());
    EXPECT_FALSE(autosave.exists());
    EXPECT_FALSE(saveBackup.exists());
    EXPECT_FALSE(autosaveBackup.exists());
    EXPECT_EQ(totalScore, 1060);
    EXPECT_EQ(secondLabel(), "Highscore!");
    EXPECT_FALSE(restartLit());

    // The name entry opened and abandoned: back on the game-over screen
    // nothing is banked twice and the table is still on offer.
    handler->pushState(HSinputscreen::getInstance());
    handler->popState();
    EXPECT_EQ(handler->top(), gameOver());
    EXPECT_EQ(totalScore, 1060);
    EXPECT_EQ(secondLabel(), "Highscore!");
    EXPECT_EQ(table.read(), "Bo\n2\n900");

    // Even if the screen left the stack without being told, the next death is settled afresh.
    handler->states.clear();
    totalScore = 0;
    save.write("save");
    gameOver()->onPlayerDeath();
    EXPECT_FALSE(save.exists());
    handler->pushState(gameOver());
    EXPECT_EQ(totalScore, 60);
}

TEST_F(GameOverTest, AHardcoreRunBelowEveryEntryOnlyQuits) {
    hardcoreMode = true;
    totalScore = 100;
    carnageBonus = timeBonus = alienKillBonus = 0;
    handler->pushState(gameOver());
    EXPECT_EQ(secondLabel(), "Quit");
    EXPECT_EQ(table.read(), "Bo\n2\n900");
}

TEST_F(GameOverTest, InHardcoreThePauseMenuOffersNoWayAroundADeath) {
    hardcoreMode = true;
    EXPECT_FALSE(PauseMenu::saveLoadable());
    EXPECT_FALSE(PauseMenu::autosaveLoadable());
    EXPECT_FALSE(PauseMenu::restartAllowed());
    PauseMenu* pause = PauseMenu::getInstance();
    pause->update(0);
    for (std::size_t i = 0; i < 3; ++i)
        EXPECT_FALSE(pause->buttons[i].enabled) << pause->buttons[i].label.getString().toAnsiString();
    for (std::size_t i = 3; i < pause->buttons.size(); ++i)
        EXPECT_TRUE(pause->buttons[i].enabled) << pause->buttons[i].label.getString().toAnsiString();
    hardcoreMode = false;
    EXPECT_TRUE(PauseMenu::restartAllowed());
}

TEST_F(GameOverTest, TheDeathEdgeSchedulesTheScreenOnceTwoSecondsLater) {
    hardcoreMode = false;
    Player* player = Player::getInstance();
    Map map(20, 20);
    auto frame = [&map] {
        map.update(0.016f);
        Ingame::getInstance()->settle(map.events);
    };
    player->dead = true;
    player->previousDead = false;
    frame();
    EXPECT_TRUE(handler->delayActive);
    EXPECT_EQ(handler->pendingState, gameOver());
    EXPECT_FLOAT_EQ(handler->delayRemaining, 2.0f);
    // Still dead a frame later: no new schedule restarts the wait.
    handler->delayRemaining = 1.5f;
    frame();
    EXPECT_FLOAT_EQ(handler->delayRemaining, 1.5f);
    // Not in hardcore, the saves stay; in hardcore they go at the moment of death.
    EXPECT_TRUE(save.exists());
    hardcoreMode = true;
    player->previousDead = false;
    frame();
    EXPECT_FALSE(save.exists());
    EXPECT_FALSE(autosave.exists());
    player->dead = player->previousDead = false;
    handler->cancelScheduled();
}

TEST_F(GameOverTest, QuittingLeavesOnlyTheMainMenuAndDropsAPendingGameOver) {
    PauseMenu* pause = PauseMenu::getInstance();
    handler->pushState(MainMenuState::getInstance());
    handler->pushState(pause);
    handler->scheduleState(gameOver(), 2.0f);
    returnToMainMenu();
    EXPECT_EQ(handler->states, (std::vector<GameState*>{MainMenuState::getInstance()}));
    EXPECT_FALSE(handler->delayActive);
    EXPECT_EQ(totalScore, 0);
    handler->pendingState = nullptr;
}

} // namespace
