#include "actors/ExplosionResolution.h"
#include "TestWorld.h"
#include "actors/ExplosionRequest.h"
#include "actors/Player.h"
#include "core/Globals.h"
#include "world/Furniture.h"
#include "world/Map.h"
#include "world/Maphandler.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>

namespace {

class Explosions : public ::testing::Test {
  protected:
    Map& m = freshMap(11);
};

TEST_F(Explosions, NothingAtTheEdgeOfTheReachAndAlmostNothingJustInside) {
    Mapentity* atEdge = addTarget(m.enemies, {100 + 220, 500}, 20, 100);
    Mapentity* inside = addTarget(m.enemies, {100, 500 + 219}, 20, 100);
    m.explosions.push_back({100, 200, 100, 500});
    resolveExplosions(m, nullptr);
    EXPECT_TRUE(m.explosions.empty());
    EXPECT_FLOAT_EQ(atEdge->HP, 100);
    EXPECT_LT(inside->HP, 100);
    EXPECT_NEAR(inside->HP, 100 - 100.0f / 220, 1e-3);
}

TEST_F(Explosions, AWallBetweenSoaksItsHitPointsOfTheBlast) {
    // The enemy stands halfway out of the reach, so it gets half the damage.
    makeWall(m, 2, 2, 100);
    Mapentity* alien = addTarget(m.enemies, {210, 160}, 20, 1000);
    m.explosions.push_back({160, 200, 100, 160});
    resolveExplosions(m, nullptr);
    EXPECT_FLOAT_EQ(alien->HP, 1000);

    makeWall(m, 2, 2, 100);
    m.explosions.push_back({240, 200, 100, 160});
    resolveExplosions(m, nullptr);
    EXPECT_FLOAT_EQ(alien->HP, 980);
}

TEST_F(Explosions, WallsNearTheBlastAreWornDownByDistance) {
    Tile& near = makeWall(m, 2, 2, 1000);
    Tile& far = makeWall(m, 6, 2, 1000);
    m.explosions.push_back({100, 200, 100, 160});
    resolveExplosions(m, nullptr);
    EXPECT_EQ(near.hitPoints, 1000 - 70);
    EXPECT_EQ(far.hitPoints, 1000);
}

TEST_F(Explosions, ALaterBlastIsNotShieldedByAWallTheEarlierOneBroke) {
    Tile& wall = makeWall(m, 2, 2, 100);
    Mapentity* alien = addTarget(m.enemies, {210, 160}, 20, 1000);
    m.explosions.push_back({240, 200, 100, 160});
    m.explosions.push_back({240, 200, 100, 160});
    resolveExplosions(m, nullptr);
    EXPECT_EQ(wall.kind, 0);
    EXPECT_FLOAT_EQ(alien->HP, 1000 - 20 - 120);
}

TEST_F(Explosions, WallsShieldThePlayerButNotProps) {
    Tile& wall = makeWall(m, 2, 2, 300);
    Mapentity player;
    player.position = {210, 160};
    player.radius = 20;
    player.HP = 1000;
    player.mass = 50;
    m.furniture.push_back(
        std::make_unique<Furniture>(sf::Vector2f(210, 160), false, sf::IntRect(384, 0, 64, 64)));
    Mapentity& prop = *m.furniture[0];
    prop.HP = 1000;
    prop.armour = 0;
    prop.radius = 20;
    m.explosions.push_back({160, 200, 100, 160});
    resolveExplosions(m, &player);
    EXPECT_FLOAT_EQ(player.HP, 1000);
    EXPECT_FLOAT_EQ(prop.HP, 920);

    // The player's cover is what the blast left standing: a wall it breaks shields him no more.
    wall.hitPoints = 100;
    m.explosions.push_back({160, 200, 100, 160});
    resolveExplosions(m, &player);
    EXPECT_EQ(wall.kind, 0);
    EXPECT_LT(player.HP, 1000);
}

TEST_F(Explosions, ABlastIsOwnedByWhoeverSetItOffABarrelIncluded) {
    using By = HitSource::By;
    using With = HitSource::With;
    Player& player = *Player::getInstance();
    for (const HitSource& breaker :
         {HitSource{By::player, With::weapon, "Shotgun"}, HitSource{By::rangedAlien, With::plasmaBolt}}) {
        Map& map = freshMap(12);
        map.furniture.push_back(
            std::make_unique<Furniture>(sf::Vector2f(500, 500), false, sf::IntRect(640, 0, 64, 64)));
        map.furniture[0]->takeHit(1.0e6f, {420, 500}, breaker);
        map.update(0);
        ASSERT_EQ(map.explosions.size(), 1u) << "the barrel went off";
        player.position = {600, 500};
        player.HP = player.MaxHP = 1.0e6f;
        player.invulnerabilityTimer = 0;
        map.update(0);
        EXPECT_EQ(player.lastHit.by, breaker.by);
        EXPECT_EQ(player.lastHit.with, With::barrel);
        ASSERT_FALSE(map.events.empty());
        const LevelEvent& hit = map.events.back();
        EXPECT_EQ(hit.kind, LevelEvent::Kind::playerHit);
        EXPECT_EQ(hit.source.by, breaker.by);
        EXPECT_FLOAT_EQ(hit.amount, 1.0e6f - player.HP);
    }
}

TEST_F(Explosions, BlastsAtTheMapsEdgeOrWithNonFiniteNumbersWearOnlyTilesInReach) {
    for (int x = 0; x < m.columns(); ++x)
        for (int y = 0; y < m.rows(); ++y)
            makeWall(m, x, y, 1000);
    // The tiles a blast wore, each checked to lie in its reach.
    auto wornOnlyWithin = [&](sf::Vector2f centre, float reach) {
        int worn = 0;
        for (int x = 0; x < m.columns(); ++x)
            for (int y = 0; y < m.rows(); ++y) {
                Tile& tile = m.walls[static_cast<std::size_t>(x)][static_cast<std::size_t>(y)];
                if (tile.hitPoints == 1000)
                    continue;
                ++worn;
                sf::Vector2f d = sf::Vector2f(x * 64.0f + 32, y * 64.0f + 32) - centre;
                EXPECT_LT(std::hypot(d.x, d.y), reach) << "tile " << x << ", " << y;
                tile.hitPoints = 1000;
            }
        return worn;
    };
    const float far = 20 * 64 + 30;
    for (sf::Vector2f at : {sf::Vector2f(-30, -30), sf::Vector2f(far, far), sf::Vector2f(-30, far)}) {
        m.explosions.push_back({500, 300, at.x, at.y});
        resolveExplosions(m, nullptr);
        EXPECT_GT(wornOnlyWithin(at, 300), 0) << "the corner at " << at.x << ", " << at.y;
    }

    const float nan = std::numeric_limits<float>::quiet_NaN(), inf = std::numeric_limits<float>::infinity();
    Mapentity* alien = addTarget(m.enemies, {300, 300}, 20, 1000);
    for (ExplosionRequest blast :
         {ExplosionRequest{500, 100, nan, 300}, ExplosionRequest{500, 100, 300, -inf},
          ExplosionRequest{500, nan, 300, 300}, ExplosionRequest{500, -inf, 300, 300},
          ExplosionRequest{500, 100, 1e30f, 1e30f}}) {
        m.explosions.push_back(blast);
        resolveExplosions(m, nullptr);
    }
    EXPECT_EQ(wornOnlyWithin({0, 0}, 0), 0);
    EXPECT_FLOAT_EQ(alien->HP, 1000);
}

TEST_F(Explosions, BarrelsGoUpAndSetOffTheirNeighboursTheNextFrame) {
    levelNumber = 1;
    auto barrel = [](float x) {
        return std::make_unique<Furniture>(sf::Vector2f(x, 300), false, sf::IntRect(640, 0, 64, 64));
    };
    m.furniture.push_back(barrel(300));
    m.furniture.push_back(barrel(600));
    m.explosions.push_back({10, 30, 300, 300});
    m.update(0.0f);
    ASSERT_EQ(m.furniture.size(), 1u);
    ASSERT_EQ(m.explosions.size(), 1u);
    EXPECT_FLOAT_EQ(m.explosions[0].x, 300);
    EXPECT_FLOAT_EQ(m.explosions[0].radius, 350);
    m.update(0.0f);
    EXPECT_TRUE(m.furniture.empty());
    ASSERT_EQ(m.explosions.size(), 1u);
    EXPECT_FLOAT_EQ(m.explosions[0].x, 600);
}

} // namespace
