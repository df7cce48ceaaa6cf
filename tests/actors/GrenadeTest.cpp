#include "actors/Grenade.h"
#include "TestWorld.h"
#include "effects/Particlehandler.h"
#include "world/Map.h"
#include "world/Maphandler.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

Grenade& throwGrenade(Map& m, float speed, float fuse, float angle = 0) {
    m.grenades.push_back(
        std::make_unique<Grenade>(sf::Vector2f(400, 400), 300.0f, angle, 150.0f, speed, fuse, 1.0f, 0.0f));
    return static_cast<Grenade&>(*m.grenades.back());
}

TEST(Grenade, ThrownAtSpeedZeroItStaysAndExplodesAfterItsFuse) {
    Map& m = freshMap(3);
    throwGrenade(m, 0, 1);
    for (int i = 0; i < 3; ++i) {
        m.update(0.25f);
        ASSERT_EQ(m.grenades.size(), 1u);
        EXPECT_EQ(m.grenades[0]->position, sf::Vector2f(400, 400));
    }
    m.update(0.25f);
    EXPECT_TRUE(m.grenades.empty());
    ASSERT_EQ(m.explosions.size(), 1u);
    EXPECT_FLOAT_EQ(m.explosions[0].x, 400);
    EXPECT_FLOAT_EQ(m.explosions[0].y, 400);
    EXPECT_FLOAT_EQ(m.explosions[0].damage, 300);
    EXPECT_FLOAT_EQ(m.explosions[0].radius, 150);
}

TEST(Grenade, LeavesATrailOfPuffsWhereItRolled) {
    Map& m = freshMap(4);
    Particlehandler* particles = Particlehandler::getInstance();
    particles->clear();
    Grenade& g = throwGrenade(m, 500, 5);
    sf::Vector2f before = g.position;
    g.update(0.02f);
    g.update(0.02f);
    const auto& puffs = particles->layer(Particlehandler::air);
    ASSERT_EQ(puffs.size(), 2u);
    EXPECT_EQ(puffs[0]->sprite.getPosition(), before);
    EXPECT_GT(puffs[1]->sprite.getPosition().x, before.x);
    EXPECT_EQ(puffs[1]->velocity, sf::Vector2f(0, 0));
    particles->clear();
}

TEST(Grenade, CountdownShowsTheFuseAtTheThrowAndZeroAtTheEnd) {
    Map& m = freshMap(3);
    Grenade& g = throwGrenade(m, 0, 3);
    EXPECT_EQ(g.countdownText.getString().toAnsiString(), "3");
    EXPECT_EQ(g.countdownText.getFillColor(), sf::Color::White);
    g.update(0.5f);
    EXPECT_EQ(g.countdownText.getString().toAnsiString(), "3");
    g.update(1.0f);
    EXPECT_EQ(g.countdownText.getString().toAnsiString(), "2");
    g.update(1.5f);
    EXPECT_EQ(g.countdownText.getString().toAnsiString(), "0");
    EXPECT_EQ(g.countdownText.getFillColor(), sf::Color(255, 0, 0, 255));
    EXPECT_TRUE(g.dead);
}

TEST(Grenade, AFuseOutAtTheThrowGoesOffAtOnce) {
    Map& m = freshMap(3);
    Grenade& g = throwGrenade(m, 0, 0);
    EXPECT_EQ(g.countdownText.getString().toAnsiString(), "0");
    g.update(0.016f);
    EXPECT_TRUE(g.dead);
}

TEST(Grenade, RollsSlowerAndSlowerAndBouncesOffAWall) {
    Map& m = freshMap(3);
    Grenade& g = throwGrenade(m, 400, 10);
    g.update(0.1f);
    float firstStep = g.position.x - 400;
    EXPECT_GT(firstStep, 0);
    EXPECT_LT(g.velocity.x, 400);
    for (int x = 0; x < 20; ++x)
        m.walls[8][static_cast<std::size_t>(x)].kind = 1;
    for (int i = 0; i < 20 && g.velocity.x > 0; ++i)
        g.update(0.02f);
    EXPECT_LT(g.velocity.x, 0);
    EXPECT_LE(g.position.x, 512 - g.radius + 0.01f);
}

} // namespace
