#include "actors/HealthUp.h"
#include "actors/InvulnerabilityUp.h"
#include "actors/Player.h"
#include "core/Globals.h"
#include "world/BrainwashMachine.h"
#include "world/Furniture.h"
#include "world/Map.h"
#include "world/Maphandler.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

namespace {

class PickupTest : public ::testing::Test {
  protected:
    void SetUp() override {
        levelNumber = 1;
        Maphandler::getInstance();
        player = Player::getInstance();
        player->resetForLevel(true);
        player->position = {1000, 1000};
    }
    void TearDown() override {
        levelNumber = 1;
        player->resetForLevel(true);
    }
    Player* player = nullptr;
};

TEST_F(PickupTest, HealthAtFullHealthStaysOnTheFloorForLater) {
    HealthUp pickup(player->position);
    pickup.update();
    EXPECT_FALSE(pickup.taken);
    EXPECT_FLOAT_EQ(player->HP, player->MaxHP);

    player->HP -= 50;
    pickup.update();
    EXPECT_TRUE(pickup.taken);
}

TEST_F(PickupTest, HealthHealsByTheLevelAndNeverAboveTheMaximum) {
    player->HP = player->MaxHP - 50;
    HealthUp first(player->position);
    first.update();
    EXPECT_GT(player->HP, player->MaxHP - 50);
    EXPECT_LT(player->HP, player->MaxHP);

    player->HP = player->MaxHP - 20;
    HealthUp second(player->position);
    second.update();
    EXPECT_FLOAT_EQ(player->HP, player->MaxHP);
}

TEST_F(PickupTest, AFallenPlayerPicksNothingUp) {
    player->HP = 0;
    player->dead = true;
    HealthUp health(player->position);
    InvulnerabilityUp shield(player->position);
    health.update();
    shield.update();
    EXPECT_FALSE(health.taken);
    EXPECT_FALSE(shield.taken);
    EXPECT_FLOAT_EQ(player->HP, 0);
}

class DropTest : public PickupTest {
  protected:
    // A level with props standing far from the player, so nothing is picked up.
    std::unique_ptr<Map> brokenProps(int count, bool noDrop) {
        auto map = std::make_unique<Map>(40, 40);
        for (int i = 0; i < count; ++i) {
            auto prop =
                std::make_unique<Furniture>(sf::Vector2f(200, 200), false, sf::IntRect(384, 0, 64, 64));
            prop->noDrop = noDrop;
            prop->dead = true;
            map->furniture.push_back(std::move(prop));
        }
        return map;
    }
};

TEST_F(DropTest, PropsFlaggedNoDropAndTheMachineLeaveNothing) {
    auto map = brokenProps(20, true);
    auto machine = std::make_unique<BrainwashMachine>(sf::Vector2f(1200, 1200));
    machine->dead = true;
    map->furniture.push_back(std::move(machine));
    auto ordinary = std::make_unique<Furniture>(sf::Vector2f(1500, 600), false, sf::IntRect(384, 0, 64, 64));
    ordinary->dead = true;
    map->furniture.push_back(std::move(ordinary));
    map->update(0.0f);
    EXPECT_TRUE(map->furniture.empty());
    ASSERT_EQ(map->pickups.size(), 1u);
    EXPECT_EQ(map->pickups[0]->position, sf::Vector2f(1500, 600));
}

TEST_F(DropTest, TheCleanUpRemovesTakenPickupsAndKeepsTheOthers) {
    player->HP = 1;
    auto map = brokenProps(0, false);
    map->pickups.push_back(std::make_unique<HealthUp>(player->position));
    map->pickups.push_back(std::make_unique<HealthUp>(sf::Vector2f(200, 200)));
    map->update(0.0f);
    ASSERT_EQ(map->pickups.size(), 1u);
    EXPECT_EQ(map->pickups[0]->position, sf::Vector2f(200, 200));
}

} // namespace
