#include "actors/Player.h"
#include "core/Globals.h"
#include "effects/Particlehandler.h"
#include "world/BrainwashMachine.h"
#include "world/Furniture.h"
#include "world/Map.h"
#include "world/Maphandler.h"
#include "world/Score.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

namespace {

// A plain entity for the physics rules.
class Ball : public Mapentity {
  public:
    explicit Ball(float r = 24, float m = 100) {
        radius = r;
        mass = m;
    }
};

// An open map with the given solid tiles, made current.
Map& openMap(int columns, int rows, std::initializer_list<sf::Vector2i> solid = {}) {
    auto map = std::make_unique<Map>(columns, rows);
    for (sf::Vector2i t : solid)
        map->walls[static_cast<std::size_t>(t.x)][static_cast<std::size_t>(t.y)].kind = 1;
    Map& ref = *map;
    Maphandler::getInstance()->setCurrentMap(std::move(map));
    return ref;
}

bool insideSolid(const Map& m, sf::Vector2f p) {
    return m.isSolid(static_cast<int>(std::floor(p.x / 64)), static_cast<int>(std::floor(p.y / 64)));
}

TEST(TileCollision, FaceContactPushesToTheNearFace) {
    Map& m = openMap(10, 10, {{5, 5}});
    Ball b;
    b.position = {64 * 5 - 10, 64 * 5 + 32};
    EXPECT_TRUE(b.collideWithTiles(m.walls));
    EXPECT_FLOAT_EQ(b.position.x, 64 * 5 - 24);
    b.position = {64 * 6 + 5, 64 * 5 + 20};
    EXPECT_TRUE(b.collideWithTiles(m.walls));
    EXPECT_FLOAT_EQ(b.position.x, 64 * 6 + 24);
    b.position = {64 * 5 + 32, 64 * 5 - 3};
    EXPECT_TRUE(b.collideWithTiles(m.walls));
    EXPECT_FLOAT_EQ(b.position.y, 64 * 5 - 24);
    b.position = {100, 100};
    EXPECT_FALSE(b.collideWithTiles(m.walls));
}

TEST(TileCollision, MovingEntitiesNeverEndInsideAWallOrPastTheTopLeftEdges) {
    for (unsigned seed = 1; seed <= 6; ++seed) {
        std::srand(seed);
        levelNumber = 5;
        Maphandler::getInstance()->newMap(5);
        Map& m = *Maphandler::getInstance()->currentMap();
        m.furniture.clear();
        std::srand(seed * 31);
        for (int n = 0; n < 300; ++n) {
            Ball b;
            int tx = 0, ty = 0;
            do {
                tx = std::rand() % m.columns();
                ty = std::rand() % m.rows();
            } while (m.isSolid(tx, ty));
            b.position = {64.0f * tx + 32, 64.0f * ty + 32};
            for (int step = 0; step < 60; ++step) {
                float angle = static_cast<float>(std::rand() % 628) * 0.01f;
                b.velocity = 650.0f * sf::Vector2f(std::cos(angle), std::sin(angle));
                b.update(0.04f);
                ASSERT_FALSE(insideSolid(m, b.position))
                    << "seed " << seed << " at " << b.position.x << "," << b.position.y;
                ASSERT_GE(b.position.x, b.radius);
                ASSERT_GE(b.position.y, b.radius);
                ASSERT_LE(b.position.x, 64.0f * m.columns() - 64);
                ASSERT_LE(b.position.y, 64.0f * m.rows() - 64);
            }
        }
    }
    levelNumber = 1;
}

TEST(PropCollision, AnEntityIsPutOutsideAPropAndPushesIt) {
    Map& m = openMap(20, 20);
    m.furniture.push_back(
        std::make_unique<Furniture>(sf::Vector2f(500, 500), false, sf::IntRect(384, 0, 64, 64)));
    Ball b(24, 100);
    b.position = {480, 500};
    b.velocity = {200, 0};
    b.collideWithProps(m.furniture, 0.016f);
    EXPECT_FLOAT_EQ(b.position.x, 500 - (24 + 24 + 3));
    EXPECT_FLOAT_EQ(b.position.y, 500);
    // mass x 0.001 of the entity's velocity along the contact.
    EXPECT_FLOAT_EQ(m.furniture[0]->velocity.x, 100 * 0.001f * 200);
    EXPECT_EQ(b.bumpCount, 1);
    b.position = {480, 500};
    b.collideWithProps(m.furniture, 0.016f);
    EXPECT_EQ(b.bumpCount, 2); // a second bump inside the window
    EXPECT_TRUE(b.bumpRepeated);
}

TEST(PropCollision, ImmovablePropsAndTheMachineNeverMove) {
    Map& m = openMap(40, 40);
    m.furniture.push_back(
        std::make_unique<Furniture>(sf::Vector2f(500, 500), true, sf::IntRect(448, 64, 64, 64)));
    m.furniture.push_back(std::make_unique<BrainwashMachine>(sf::Vector2f(1200, 1200)));
    for (auto& prop : m.furniture)
        prop->velocity = {300, 300};
    m.update(0.04f);
    EXPECT_EQ(m.furniture[0]->position, sf::Vector2f(500, 500));
    EXPECT_EQ(m.furniture[1]->position, sf::Vector2f(1200, 1200));
}

TEST(ActorCollision, ActorsPartAndTradeMomentum) {
    Map& m = openMap(20, 20);
    m.enemies.push_back(std::make_unique<Ball>(24, 100));
    Mapentity& other = *m.enemies[0];
    other.position = {500, 500};
    Ball b(24, 100);
    b.position = {470, 500};
    b.velocity = {100, 0};
    b.collideWithActors(m.enemies, 0.016f);
    EXPECT_FLOAT_EQ(b.position.x, 500 - 51);
    EXPECT_FLOAT_EQ(other.velocity.x, -(200.0f / 100) * 100 * 0.1f);
    EXPECT_FLOAT_EQ(b.velocity.x, 100);
}

TEST(DamageRule, HitsKnockAwayFromTheSourceAndKillAtZero) {
    Ball b(24, 100);
    b.HP = 50;
    b.position = {100, 100};
    b.applyDamage(20, {100, 200});
    EXPECT_FLOAT_EQ(b.HP, 30);
    EXPECT_FLOAT_EQ(b.velocity.x, 0);
    EXPECT_FLOAT_EQ(b.velocity.y, -20 / (100 * 0.008f));
    EXPECT_FALSE(b.dead);
    b.applyDamage(30, b.position); // from its own centre: no direction, no NaN
    EXPECT_TRUE(b.dead);
    EXPECT_FALSE(std::isnan(b.velocity.x));
    EXPECT_FALSE(std::isnan(b.velocity.y));
}

} // namespace

namespace {

TEST(WallDamage, ArmourSoaksAndAWallBreaksBelowZero) {
    Maphandler::getInstance()->setCurrentMap(std::make_unique<Map>(20, 20));
    const std::vector<LevelEvent>& events = Maphandler::getInstance()->currentMap()->events;
    Particlehandler* particles = Particlehandler::getInstance();
    particles->clear();
    Tile wall;
    wall.kind = 1;
    wall.armour = 5;
    wall.hitPoints = 3;
    damageTile(wall, 5, {100, 100});
    EXPECT_EQ(wall.hitPoints, 3);
    damageTile(wall, 8.9f, {100, 100});
    EXPECT_EQ(wall.hitPoints, 0);
    EXPECT_EQ(wall.kind, 1);
    EXPECT_EQ(particles->count(), 0u) << "a worn wall throws no debris";
    EXPECT_TRUE(events.empty());

    damageTile(wall, 6, {100, 130});
    EXPECT_EQ(wall.kind, 0);
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].kind, LevelEvent::Kind::carnage);
    EXPECT_EQ(events[0].points, 5);
    const auto& chips = particles->layer(Particlehandler::ground);
    ASSERT_GE(chips.size(), 8u);
    EXPECT_LE(chips.size(), 14u);
    EXPECT_EQ(chips[0]->sprite.getPosition(), sf::Vector2f(100, 130))
        << "debris bursts where the blow landed";

    // A broken wall is floor: further hits score nothing more.
    damageTile(wall, 100, {100, 130});
    EXPECT_EQ(events.size(), 1u);
    particles->clear();
}

// Shotgun pellets and a blast can all reach a prop in the frame it breaks;
// the break is reported as carnage once.
TEST(PropDamage, ABrokenPropIsReportedOnce) {
    Maphandler::getInstance()->setCurrentMap(std::make_unique<Map>(20, 20));
    Map& map = *Maphandler::getInstance()->currentMap();
    Furniture chair(sf::Vector2f(500, 500), false, sf::IntRect(384, 0, 64, 64));
    chair.armour = 0;
    chair.HP = 10;
    chair.takeDamage(5, {400, 500});
    EXPECT_TRUE(map.events.empty());
    chair.takeDamage(6, {400, 500});
    EXPECT_TRUE(chair.dead);
    chair.takeDamage(30, {400, 500});
    ASSERT_EQ(map.events.size(), 1u);
    EXPECT_EQ(map.events[0].kind, LevelEvent::Kind::carnage);
    EXPECT_EQ(map.events[0].points, 50);
}

TEST(WallDamage, OnlyHeavyFastEntitiesRamWallsDown) {
    Map& m = openMap(10, 10, {{5, 5}});
    Tile& wall = m.walls[5][5];
    wall.armour = 1;
    wall.hitPoints = 100;
    Ball light(24, 100);
    light.position = {64 * 5 - 20, 64 * 5 + 32};
    light.velocity = {600, 0};
    light.collideWithTiles(m.walls);
    EXPECT_EQ(wall.hitPoints, 100);
    Ball heavy(24, 1000);
    heavy.position = {64 * 5 - 20, 64 * 5 + 32};
    heavy.velocity = {300, 0};
    heavy.collideWithTiles(m.walls);
    EXPECT_EQ(wall.kind, 0);
}

} // namespace

namespace {} // namespace
