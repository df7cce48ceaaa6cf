#include "actors/Player.h"
#include "core/Globals.h"
#include "core/InputState.h"
#include "screens/Ingame.h"
#include "world/BrainwashMachine.h"
#include "world/Map.h"
#include "world/Maphandler.h"

#include <SFML/Window/Keyboard.hpp>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

namespace {

class PlayerTest : public ::testing::Test {
  protected:
    void SetUp() override {
        levelNumber = 1; // the starting kit: two pistols and a kevlar vest
        player = Player::getInstance();
        player->resetForLevel(true);
        player->canSprint = true;
        InputState* input = InputState::getInstance();
        for (bool& k : input->keys)
            k = false;
    }
    void TearDown() override {
        for (bool& k : InputState::getInstance()->keys)
            k = false;
        player->resetForLevel(true);
    }
    // An open 40 x 40 map with the player in its middle, standing still.
    void openTestStreet() {
        Maphandler::getInstance()->setCurrentMap(std::make_unique<Map>(40, 40));
        player->position = {1280, 1280};
        player->velocity = {0, 0};
    }
    Player* player = nullptr;
};

TEST_F(PlayerTest, LevelsRiseOnlyAboveTheThreshold) {
    player->XP = 1600;
    player->levelUp();
    EXPECT_EQ(player->Level, 0);
    player->XP = 1601;
    player->levelUp();
    EXPECT_EQ(player->Level, 1);

    player->resetForLevel(true);
    player->XP = 5000;
    player->levelUp();
    EXPECT_EQ(player->Level, 3);
    EXPECT_EQ(player->Statpoints, 3);
}

TEST_F(PlayerTest, DiagonalMovementIsNoFasterThanStraight) {
    player->velocity = {0, 0};
    player->applyMoveInput({1, 0}, 0.1f);
    float straight = std::hypot(player->velocity.x, player->velocity.y);
    player->velocity = {0, 0};
    player->applyMoveInput({1, 1}, 0.1f);
    EXPECT_NEAR(std::hypot(player->velocity.x, player->velocity.y), straight, 1e-3f);
    player->velocity = {0, 0};
    player->applyMoveInput({0, 0.5f}, 0.1f); // a stick tilted half way
    EXPECT_NEAR(player->velocity.y, straight * 0.5f, 1e-3f);
    EXPECT_EQ(player->moveInput, sf::Vector2f(0, 0));
}

TEST_F(PlayerTest, AHitDuringInvulnerabilityChangesNothing) {
    openTestStreet();
    player->invulnerabilityTimer = 0.2f;
    player->takeDamage(30, player->position + sf::Vector2f(10, 0));
    EXPECT_FLOAT_EQ(player->HP, 120);
    Map& map = *Maphandler::getInstance()->currentMap();
    EXPECT_TRUE(map.events.empty()) << "no flash for a hit that did nothing";
    player->invulnerabilityTimer = 0;
    player->takeDamage(30, player->position + sf::Vector2f(10, 0));
    EXPECT_FLOAT_EQ(player->HP, 120 - 29.6f); // the vest's rating of 4 soaks 0.4
    EXPECT_FLOAT_EQ(player->invulnerabilityTimer, 0.5f);
    ASSERT_EQ(map.events.size(), 1u);
    EXPECT_EQ(map.events[0].kind, LevelEvent::Kind::playerHit);
    EXPECT_FLOAT_EQ(map.events[0].intensity, 30.0f / 120 * 850);
    EXPECT_FLOAT_EQ(map.events[0].amount, 29.6f) << "the health lost, for the death recap";
    EXPECT_LT(player->velocity.x, 0);
}

TEST_F(PlayerTest, ResetForLevelRestoresTheDerivedPoolsAndClearsDeath) {
    player->Health = 2;
    player->StaminaStat = 4;
    player->dead = true;
    player->invulnerabilityTimer = 3;
    player->resetForLevel(false);
    EXPECT_FALSE(player->dead);
    EXPECT_FLOAT_EQ(player->invulnerabilityTimer, 0);
    EXPECT_FLOAT_EQ(player->MaxHP, 190); // 100, 2 x 35 and the vest's 20
    EXPECT_FLOAT_EQ(player->MaxStamina, 140);
    EXPECT_NEAR(player->speedFactor(), (1 + 4.0f / 35) * 0.8f, 1e-5f);
    player->resetForLevel(true);
    EXPECT_FLOAT_EQ(player->MaxHP, 120);
}

class StartPlacement : public ::testing::Test {
  protected:
    // A map of lots with the given street tiles and a machine at `machine`.
    Map& makeMap(int w, int h, std::initializer_list<sf::Vector2i> streets, sf::Vector2f machine) {
        auto map = std::make_unique<Map>(w, h);
        for (auto& column : map->layout)
            for (Tile& t : column)
                t.kind = 'o';
        for (sf::Vector2i s : streets)
            map->layout[static_cast<std::size_t>(s.x)][static_cast<std::size_t>(s.y)].kind = 224;
        map->furniture.push_back(std::make_unique<BrainwashMachine>(machine));
        Map& ref = *map;
        Maphandler::getInstance()->setCurrentMap(std::move(map));
        return ref;
    }
};

TEST_F(StartPlacement, GeneratedLevelsPutThePlayerOnAStreetFarFromTheMachine) {
    for (unsigned seed = 1; seed <= 20; ++seed) {
        std::srand(seed);
        Maphandler::getInstance()->newMap(1 + static_cast<int>(seed) % 15);
        const Map& m = *Maphandler::getInstance()->currentMap();
        Player* p = Player::getInstance();
        int tx = static_cast<int>(p->position.x) / 64, ty = static_cast<int>(p->position.y) / 64;
        EXPECT_EQ(p->position, sf::Vector2f(64.0f * tx + 32, 64.0f * ty + 32));
        EXPECT_TRUE(
            layoutcode::isStreet(m.layout[static_cast<std::size_t>(tx)][static_cast<std::size_t>(ty)].kind));
        EXPECT_FALSE(m.isSolid(tx, ty));
    }
}

TEST_F(StartPlacement, TakesTheFirstStreetTileOfTheWalkFarEnoughAway) {
    std::srand(3);
    Map& m = makeMap(60, 60, {{30, 0}, {0, 30}, {58, 30}, {30, 58}}, {64 * 50, 64 * 50});
    Player* p = Player::getInstance();
    p->placeAtStart(m);
    // (58, 30) and (30, 58) are within 1920 pixels of the machine.
    sf::Vector2f a(64 * 30 + 32, 32), b(32, 64 * 30 + 32);
    EXPECT_TRUE(p->position == a || p->position == b);
}

TEST_F(StartPlacement, WithNoQualifyingTileThePlayerTakesTheStreetFarthestFromTheMachine) {
    std::srand(5);
    // Every street is within 1920 pixels of the machine, and one lies off the walks.
    Map& m = makeMap(30, 30, {{5, 5}, {10, 0}, {22, 22}}, {64 * 12, 64 * 12});
    Player* p = Player::getInstance();
    p->position = {64 * 15 + 32, 64 * 15 + 32};
    p->placeAtStart(m);
    EXPECT_EQ(p->position, sf::Vector2f(64 * 22 + 32, 64 * 22 + 32));
}

TEST_F(StartPlacement, WithoutAnyStreetThePlayerTakesAFreeTile) {
    Map& m = makeMap(12, 12, {}, {64 * 2, 64 * 2});
    for (int x = 6; x < 12; ++x)
        for (int y = 0; y < 12; ++y)
            m.walls[static_cast<std::size_t>(x)][static_cast<std::size_t>(y)].kind = 1;
    Player* p = Player::getInstance();
    p->position = {64 * 8 + 32, 64 * 8 + 32}; // inside a wall of the new map
    p->placeAtStart(m);
    int tx = static_cast<int>(p->position.x) / 64, ty = static_cast<int>(p->position.y) / 64;
    EXPECT_FALSE(m.isSolid(tx, ty));
}

} // namespace
