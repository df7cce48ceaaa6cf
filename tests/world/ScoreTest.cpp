#include "world/Score.h"
#include "actors/Player.h"
#include "core/Globals.h"
#include "world/Map.h"
#include "world/Mapentity.h"
#include "world/Maphandler.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

// An actor of a given kind and size, standing in for an enemy on the map.
class Stand : public Mapentity {
  public:
    Stand(int k, float w) : kind(k), size(w) {}
    int getKind() const override { return kind; }
    float getSizeFactor() const override { return size; }
    int kind;
    float size;
};

class LevelScore : public ::testing::Test {
  protected:
    void SetUp() override {
        resetScores();
        resetKillTallies();
        Maphandler::getInstance()->setCurrentMap(std::make_unique<Map>(30, 30));
        map = Maphandler::getInstance()->currentMap();
    }
    void TearDown() override {
        resetScores();
        resetKillTallies();
        levelNumber = 1;
    }
    void addActor(int kind, float size = 1) { map->enemies.push_back(std::make_unique<Stand>(kind, size)); }

    Map* map = nullptr;
};

TEST_F(LevelScore, AMinuteOnTheFirstLevelWithThreeHumansSavedAndTwoAliensKilled) {
    levelNumber = 1;
    map->elapsed = 60;
    for (int i = 0; i < 3; ++i)
        addActor(0);
    tallyKill(2, 1);
    tallyKill(1, 1);
    updateLevelScore(map->census());
    EXPECT_EQ(timeBonus, 952);
    EXPECT_EQ(humanScore, 300);
    EXPECT_EQ(alienKillBonus, 1600);
    EXPECT_EQ(levelScore, 2852);
    EXPECT_EQ(plainScore, 2852);
    // What the level offered: the saved humans, the kills and an instant clear, at k = 0.995.
    EXPECT_EQ(referenceScore, 3216);
    EXPECT_EQ(killCounts[1], 1);
    EXPECT_EQ(killCounts[2], 1);
}

TEST_F(LevelScore, LivingAliensAndKilledHumansRaiseOnlyTheReference) {
    levelNumber = 1;
    map->elapsed = 150; // the time bonus has halved
    addActor(1, 2.0f);  // 1200 still to earn
    addActor(2, 0.5f);  // 500 still to earn
    tallyKill(0, 1);    // a dead human scores nothing but counted as 100 possible
    updateLevelScore(map->census());
    EXPECT_EQ(timeBonus, 666);
    EXPECT_EQ(levelScore, 666);
    EXPECT_EQ(referenceScore, static_cast<int>((1200 + 500 + 100 + 1333) * 0.995f));
    EXPECT_EQ(killCounts[0], 1);
    EXPECT_EQ(alienKillBonus, 0);
}

TEST_F(LevelScore, KillsOnlyCountTheirOwnKindAndAliensTheirSize) {
    tallyKill(1, 1.5f);
    tallyKill(2, 1.25f);
    tallyKill(0, 3.0f);
    tallyKill(-1, 1.0f); // the player is not a kill
    tallyKill(7, 1.0f);
    EXPECT_EQ(alienKillBonus, 900 + 1250);
    EXPECT_EQ(killCounts[0], 1);
    EXPECT_EQ(killCounts[1], 1);
    EXPECT_EQ(killCounts[2], 1);
}

TEST_F(LevelScore, ANewLevelStartsTheTalliesAndTheCarnageOverButKeepsTheRun) {
    tallyKill(2, 1);
    carnageBonus = 55;
    totalScore = 12000;
    upgradePoints = 3000;
    Player::getInstance()->resetForLevel(false);
    EXPECT_EQ(killCounts[2], 0);
    EXPECT_EQ(alienKillBonus, 0);
    EXPECT_EQ(carnageBonus, 0);
    EXPECT_EQ(totalScore, 12000);
    EXPECT_EQ(upgradePoints, 3000);

    resetScores();
    EXPECT_EQ(totalScore, 0);
    EXPECT_EQ(upgradePoints, 0);
    EXPECT_EQ(levelScore, 0);
    EXPECT_EQ(referenceScore, 0);
}

} // namespace
