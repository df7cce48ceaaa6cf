#include "actors/Bullet.h"
#include "app/Globals.h"
#include "world/Furniture.h"
#include "world/Map.h"
#include "world/Maphandler.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

Map& freshMap() {
    std::srand(5);
    levelNumber = 1;
    Maphandler::getInstance()->setCurrentMap(std::make_unique<Map>(20, 20));
    return *Maphandler::getInstance()->currentMap();
}

Mapentity* addTarget(EntityList& list, sf::Vector2f at) {
    auto e = std::make_unique<Mapentity>();
    e->position = at;
    e->radius = 20;
    e->HP = e->MaxHP = 100;
    e->mass = 50;
    list.push_back(std::move(e));
    return list.back().get();
}

TEST(Bullet, SpeedAndDamageGrowWithTheLevelUpToTheirCaps) {
    EXPECT_FLOAT_EQ(Bullet::speedAt(1), 405);
    EXPECT_FLOAT_EQ(Bullet::speedAt(40), 1100);
    EXPECT_FLOAT_EQ(Bullet::damageAt(1), 15);
    EXPECT_FLOAT_EQ(Bullet::damageAt(9), 50);
}

TEST(Bullet, ABerserkShotSparesTheShooterUntilClearOfTheMuzzle) {
    Map& m = freshMap();
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

TEST(Bullet, AWallItTouchesIsDamagedAndStopsIt) {
    Map& m = freshMap();
    Tile& wall = m.walls[5][4];
    wall.kind = 1;
    wall.hitPoints = 100;
    wall.armour = 0;
    auto& b = *m.bullets.emplace_back(std::make_unique<Bullet>(sf::Vector2f(600, 288), sf::Vector2f(200, 288), false));
    for (int i = 0; i < 60 && !b.dead; ++i)
        m.bullets[0]->update(0.01f);
    EXPECT_TRUE(b.dead);
    EXPECT_EQ(wall.hitPoints, 85);
    EXPECT_LT(b.position.x, 320);
}

TEST(Bullet, APropInTheWayTakesTheHit) {
    Map& m = freshMap();
    m.furniture.push_back(std::make_unique<Furniture>(sf::Vector2f(260, 300), false, sf::IntRect(640, 0, 64, 64)));
    Bullet b({600, 300}, {200, 300}, false);
    for (int i = 0; i < 30 && !b.dead; ++i)
        b.update(0.01f);
    EXPECT_TRUE(b.dead);
    EXPECT_LT(m.furniture[0]->HP, m.furniture[0]->MaxHP);
}

TEST(Bullet, AMissThatLeavesTheMapIsRemoved) {
    Map& m = freshMap();
    m.bullets.push_back(std::make_unique<Bullet>(sf::Vector2f(100, -500), sf::Vector2f(100, 300), false));
    for (int i = 0; i < 200 && !m.bullets.empty(); ++i)
        m.update(0.02f);
    EXPECT_TRUE(m.bullets.empty());
}

} // namespace
