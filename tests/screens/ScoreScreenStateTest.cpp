#include "screens/ScoreScreenState.h"
#include "actors/Player.h"
#include "app/GameStateHandler.h"
#include "core/Contenthandler.h"
#include "core/Globals.h"
#include "core/InputState.h"
#include "items/AffixTables.h"
#include "persistence/SaveGame.h"
#include "screens/Ingame.h"
#include "screens/IntermissionState.h"
#include "screens/UpgradeState.h"
#include "support/RunDirFile.h"
#include "world/Map.h"
#include "world/Maphandler.h"
#include "world/Score.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

// Music streams on threads of its own; one still playing when the test
// process exits can abort it, so every test that starts music stops it.
void silence() {
    Contenthandler* content = Contenthandler::getInstance();
    for (sf::Music* music : {&content->battleMusic, &content->menuMusic, &content->scoreMusic})
        music->stop();
    for (sf::Sound* sound : {&content->pointCountSound, &content->cheerSound, &content->doorsInSound,
                             &content->doorsOutSound, &content->clickSound})
        sound->stop();
}

// A cleared first level: 2852 points out of a reference of 3216, on the
// stack over the level the way the brainwash machine leaves it.
class ScoreScreenRun : public ::testing::Test {
  protected:
    void SetUp() override {
        buildAffixTables();
        levelNumber = 1;
        resetScores();
        Maphandler::getInstance()->setCurrentMap(std::make_unique<Map>(30, 30));
        Maphandler::getInstance()->currentMap()->elapsed = 60.7f;
        Player::getInstance()->resetForLevel(true);
        killCounts[1] = 1;
        killCounts[2] = 1;
        alienKillBonus = 1600;
        humanScore = 300;
        timeBonus = 952;
        levelScore = 2852;
        referenceScore = 3216;
        upgradePoints = 100;
        handler = GameStateHandler::getInstance();
        handler->states.clear();
        handler->pushState(Ingame::getInstance());
        handler->pushState(ScoreScreenState::getInstance());
        screen = ScoreScreenState::getInstance();
        input = InputState::getInstance();
        release(false, false);
    }
    void TearDown() override {
        silence();
        handler->states.clear();
        resetScores();
        resetKillTallies();
        Player::getInstance()->resetForLevel(true);
    }
    // Sets this frame's mouse so that the given buttons were just let go.
    void release(bool left, bool right) {
        input->previousButtons[0] = left;
        input->previousButtons[1] = right;
        input->buttons[0] = input->buttons[1] = false;
    }
    void frame(float dt, bool left = false, bool right = false) {
        release(left, right);
        screen->update(dt);
    }
    // The screen autosaves as it opens; the player's own autosave is kept out of reach.
    RunDirFile autosave{savePath("autosave")};

    GameStateHandler* handler = nullptr;
    ScoreScreenState* screen = nullptr;
    InputState* input = nullptr;
};

TEST_F(ScoreScreenRun, CountsEveryLineUpInStepAndCelebratesTheTotal) {
    float duration = ScoreScreenState::countDurationFor(2852.0f / 3216, 4);
    EXPECT_FLOAT_EQ(screen->countDuration, duration);
    EXPECT_EQ(Player::getInstance()->XP, 3319);
    EXPECT_EQ(screen->experienceGained, 3319);

    frame(duration / 2);
    EXPECT_TRUE(screen->counting);
    EXPECT_FALSE(screen->celebrated);
    EXPECT_NEAR(screen->shown[ScoreScreenState::totalLine], 1426, 1);
    EXPECT_NEAR(screen->shown[ScoreScreenState::alienKillsBonusLine], 800, 1);
    EXPECT_EQ(screen->texts[ScoreScreenState::timeSpentLine].getString().toAnsiString(), "Time spent: 30s");

    frame(duration);
    EXPECT_TRUE(screen->celebrated);
    EXPECT_EQ(screen->shown[ScoreScreenState::totalLine], 2852);
    EXPECT_EQ(screen->texts[ScoreScreenState::totalLine].getString().toAnsiString(), "Total Score: 2852");
    EXPECT_EQ(screen->texts[ScoreScreenState::meleeKillsLine].getString().toAnsiString(),
              "Melee aliens killed: 1");
    EXPECT_EQ(screen->texts[ScoreScreenState::humansSavedLine].getString().toAnsiString(), "Humans saved: 3");
    EXPECT_EQ(screen->texts[ScoreScreenState::timeSpentLine].getString().toAnsiString(), "Time spent: 60s");
    EXPECT_EQ(screen->barColour, ScoreScreenState::barColourFor(2852.0f / 3216));
    EXPECT_FLOAT_EQ(screen->scoreBar.value, 2852);
}

TEST_F(ScoreScreenRun, ClicksWaitForTheCountThenBankTheScoreAndOpenTheUpgradeScreen) {
    frame(0.1f, true, false);
    frame(0.1f, false, true);
    EXPECT_EQ(handler->top(), screen);
    EXPECT_EQ(totalScore, 0);

    frame(10);
    carnageBonus = 0;
    frame(0.01f, false, true);
    EXPECT_EQ(totalScore, 2852);
    EXPECT_EQ(upgradePoints, static_cast<int>(2852 * 1.0666f + 100));
    EXPECT_EQ(carnageBonus, 0);
    EXPECT_FALSE(screen->celebrated);
    EXPECT_EQ(screen->shown[ScoreScreenState::totalLine], 0);
    ASSERT_EQ(handler->states.size(), 3u);
    EXPECT_EQ(handler->states[0], IntermissionState::getInstance());
    EXPECT_EQ(handler->states[1], UpgradeState::getInstance());
    EXPECT_EQ(handler->states[2], Ingame::getInstance());
    EXPECT_TRUE(IntermissionState::getInstance()->closing);
}

TEST_F(ScoreScreenRun, ALeftClickFinishesOnceTheTotalShows) {
    EXPECT_FALSE(screen->finishRequested(true, false, false));
    frame(10);
    EXPECT_TRUE(screen->finishRequested(true, false, false));
    EXPECT_TRUE(screen->finishRequested(false, false, true));
    EXPECT_FALSE(screen->finishRequested(false, false, false));
    frame(0.01f, true, false);
    EXPECT_EQ(handler->states[1], UpgradeState::getInstance());
}

TEST_F(ScoreScreenRun, ANothingLevelCelebratesAtOnce) {
    handler->states.clear();
    levelScore = alienKillBonus = humanScore = timeBonus = 0;
    killCounts[1] = killCounts[2] = 0;
    handler->pushState(screen);
    EXPECT_FLOAT_EQ(screen->countDuration, 0.4f);
    frame(0.01f);
    EXPECT_TRUE(screen->celebrated);
    EXPECT_FLOAT_EQ(screen->scoreBar.value, 1);
}

} // namespace
