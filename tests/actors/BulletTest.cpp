#include "actors/Bullet.h"
#include "TestWorld.h"
#include "core/Globals.h"
#include "world/Furniture.h"
#include "world/Map.h"
#include "world/Maphandler.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

// Bullets scale with the level; these tests play level 1.
Map& levelOneMap() {
    levelNumber = 1;
    return freshMap(5);
}

TEST(Bullet, ABerserkShotSparesTheShooterUntilClearOfTheMuzzle) {
    Map& m = levelOneMap();
    Mapentity* shooter = addTarget(m.enemies, {300, 300});
    Bullet b({600, 300}, {300, 300}, true);
    b.hitEnemies(m.enemies);
    EXPECT_FLOAT_EQ(shooter->HP, 100);
    EXPECT_FALSE(b.dead);
    b.position = {361, 300};
    shooter->position = {370, 300};
    b.hitEnemies(m.enemies);
    EXPECT_LT(shooter->HP, 100);
    EXPECT_TRUE(b.dead);
}

// The wall test runs twice in the frame the bullet lands.
TEST(Bullet, AWallItTouchesTakesItsDamageTwiceAndStopsIt) {
    Map& m = levelOneMap();
    Tile& wall = m.walls[5][4];
    wall.kind = 1;
    wall.hitPoints = 100;
    wall.armour = 0;
    auto& b = *m.bullets.emplace_back(
        std::make_unique<Bullet>(sf::Vector2f(600, 288), sf::Vector2f(200, 288), false));
    for (int i = 0; i < 60 && !b.dead; ++i)
        m.bullets[0]->update(0.01f);
    EXPECT_TRUE(b.dead);
    EXPECT_EQ(wall.hitPoints, 70);
    EXPECT_LT(b.position.x, 320);
}

TEST(Bullet, APropInTheWayTakesTheHit) {
    Map& m = levelOneMap();
    m.furniture.push_back(
        std::make_unique<Furniture>(sf::Vector2f(260, 300), false, sf::IntRect(640, 0, 64, 64)));
    Bullet b({600, 300}, {200, 300}, false);
    for (int i = 0; i < 30 && !b.dead; ++i)
        b.update(0.01f);
    EXPECT_TRUE(b.dead);
    EXPECT_LT(m.furniture[0]->HP, m.furniture[0]->MaxHP);
}

TEST(Bullet, AMissThatLeavesTheMapIsRemoved) {
    Map& m = levelOneMap();
    m.bullets.push_back(std::make_unique<Bullet>(sf::Vector2f(100, -500), sf::Vector2f(100, 300), false));
    for (int i = 0; i < 200 && !m.bullets.empty(); ++i)
        m.update(0.02f);
    EXPECT_TRUE(m.bullets.empty());
}

} // namespace
