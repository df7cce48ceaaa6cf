#include "actors/ShotResolution.h"
#include "TestWorld.h"
#include "effects/Particlehandler.h"
#include "world/Furniture.h"
#include "world/Map.h"
#include "world/Maphandler.h"

#include <SFML/Graphics/ConvexShape.hpp>
#include <SFML/Graphics/RenderTexture.hpp>
#include <gtest/gtest.h>

#include <cstdlib>
#include <tuple>

namespace {

Shot rightwards(sf::Vector2f from, float range, float damage = 30) {
    Shot s;
    s.origin = from;
    s.angle = 0;
    s.range = range;
    s.damage = damage;
    return s;
}

class ShotResolution : public ::testing::Test {
  protected:
    Map& m = freshMap(7);
};

TEST_F(ShotResolution, AShotStopsAtAWallNearerThanTheEnemyBehindIt) {
    Tile& wall = makeWall(m, 5, 2);
    Mapentity* alien = addTarget(m.enemies, {420, 160}, 20);
    m.shots.push_back(rightwards({100, 160}, 600));
    resolveShots(m);
    EXPECT_TRUE(m.shots.empty());
    EXPECT_EQ(wall.hitPoints, 70);
    EXPECT_FLOAT_EQ(alien->HP, 100);
    ASSERT_EQ(m.tracers.size(), 1u);
    EXPECT_NEAR(m.tracers[0].shape.getPoint(1).x, 320, 0.01);
}

TEST_F(ShotResolution, AShotBesideAnEnemyHitsItAtTheClampedClosestPoint) {
    Mapentity* alien = addTarget(m.enemies, {300, 170}, 20);
    m.shots.push_back(rightwards({100, 160}, 195));
    resolveShots(m);
    EXPECT_LT(alien->HP, 100);
    ASSERT_EQ(m.tracers.size(), 1u);
    EXPECT_NEAR(m.tracers[0].shape.getPoint(1).x, 295, 0.01);
}

TEST_F(ShotResolution, OnlyAStrictlyNearestCandidateIsHit) {
    Mapentity* above = addTarget(m.enemies, {300, 150}, 24);
    m.furniture.push_back(
        std::make_unique<Furniture>(sf::Vector2f(300, 170), false, sf::IntRect(384, 0, 64, 64)));
    float propHP = m.furniture[0]->HP;
    m.shots.push_back(rightwards({100, 160}, 600));
    resolveShots(m);
    EXPECT_FLOAT_EQ(above->HP, 100);
    EXPECT_FLOAT_EQ(m.furniture[0]->HP, propHP);
    EXPECT_TRUE(m.tracers.empty());
}

TEST_F(ShotResolution, TheNearerOfEnemyAndPropTakesTheShot) {
    Mapentity* far = addTarget(m.enemies, {400, 160}, 20);
    m.furniture.push_back(
        std::make_unique<Furniture>(sf::Vector2f(250, 160), false, sf::IntRect(384, 0, 64, 64)));
    m.furniture[0]->armour = 0;
    m.shots.push_back(rightwards({100, 160}, 600));
    resolveShots(m);
    EXPECT_FLOAT_EQ(far->HP, 100);
    EXPECT_FLOAT_EQ(m.furniture[0]->HP, m.furniture[0]->MaxHP - 30);
}

TEST_F(ShotResolution, DeadEnemiesDoNotStopAShot) {
    Mapentity* corpse = addTarget(m.enemies, {200, 160}, 20);
    corpse->dead = true;
    Mapentity* alive = addTarget(m.enemies, {300, 160}, 20);
    m.shots.push_back(rightwards({100, 160}, 600));
    resolveShots(m);
    EXPECT_FLOAT_EQ(corpse->HP, 100);
    EXPECT_FLOAT_EQ(alive->HP, 70);
}

TEST_F(ShotResolution, ABarrelGoesUpFromAnyOrdinaryHit) {
    m.furniture.push_back(
        std::make_unique<Furniture>(sf::Vector2f(300, 160), false, sf::IntRect(640, 0, 64, 64)));
    m.shots.push_back(rightwards({100, 160}, 600, 1));
    resolveShots(m);
    EXPECT_TRUE(m.furniture[0]->dead);
}

TEST_F(ShotResolution, AnExplosiveShotQueuesItsBlastWhereItHits) {
    makeWall(m, 5, 2);
    Shot s = rightwards({100, 160}, 600);
    s.explosive = true;
    s.explosionRadius = 90;
    m.shots.push_back(s);
    resolveShots(m);
    ASSERT_EQ(m.explosions.size(), 1u);
    EXPECT_FLOAT_EQ(m.explosions[0].x, 320);
    EXPECT_FLOAT_EQ(m.explosions[0].y, 160);
    EXPECT_FLOAT_EQ(m.explosions[0].radius, 90);
    EXPECT_FLOAT_EQ(m.explosions[0].damage, 30);
}

TEST_F(ShotResolution, ConcussiveShotsStopTheEnemy) {
    Mapentity* alien = addTarget(m.enemies, {300, 160}, 20);
    alien->velocity = {50, 80};
    Shot s = rightwards({100, 160}, 600, 1);
    s.concussive = true;
    m.shots.push_back(s);
    resolveShots(m);
    EXPECT_EQ(alien->velocity, sf::Vector2f(0, 0));
}

TEST_F(ShotResolution, ShatteringShotsDestroyProjectilesOnTheirWayOnly) {
    Mapentity* onLine = addTarget(m.bullets, {200, 165}, 14);
    Mapentity* beside = addTarget(m.bullets, {200, 200}, 14);
    Shot plain = rightwards({100, 160}, 600);
    m.shots.push_back(plain);
    resolveShots(m);
    EXPECT_FALSE(onLine->dead);
    Shot shatter = plain;
    shatter.absorbsProjectiles = true;
    m.shots.push_back(shatter);
    resolveShots(m);
    EXPECT_TRUE(onLine->dead);
    EXPECT_FALSE(beside->dead);
}

TEST_F(ShotResolution, APenetratingShotHitsEverythingOnItsLineAndPassesThrough) {
    Tile& first = makeWall(m, 3, 2);
    Tile& second = makeWall(m, 7, 2);
    Tile& aside = makeWall(m, 5, 4);
    Mapentity* a = addTarget(m.enemies, {300, 160}, 20);
    Mapentity* b = addTarget(m.enemies, {560, 170}, 20);
    Mapentity* c = addTarget(m.enemies, {560, 300}, 20);
    m.furniture.push_back(
        std::make_unique<Furniture>(sf::Vector2f(650, 160), false, sf::IntRect(640, 0, 64, 64)));
    m.penetratingShots.push_back(rightwards({100, 160}, 1000));
    resolvePenetratingShots(m);
    EXPECT_TRUE(m.penetratingShots.empty());
    EXPECT_EQ(first.hitPoints, 70);
    EXPECT_EQ(second.hitPoints, 70);
    EXPECT_EQ(aside.hitPoints, 100);
    EXPECT_FLOAT_EQ(a->HP, 70);
    EXPECT_FLOAT_EQ(b->HP, 70);
    EXPECT_FLOAT_EQ(c->HP, 100);
    EXPECT_TRUE(m.furniture[0]->dead);
    ASSERT_EQ(m.tracers.size(), 1u);
    EXPECT_NEAR(m.tracers[0].shape.getPoint(1).x, 1100, 0.01);
}

// Particles on one layer of the particle sheet's row.
std::size_t particlesOfRow(int layer, int row) {
    std::size_t n = 0;
    for (const auto& p : Particlehandler::getInstance()->layer(layer))
        n += p->sprite.getTextureRect().top == row * 32;
    return n;
}

TEST_F(ShotResolution, APenetratingShotBleedsBothWaysAndChipsEachWall) {
    Particlehandler* particles = Particlehandler::getInstance();
    particles->clear();
    makeWall(m, 3, 2);
    makeWall(m, 7, 2);
    addTarget(m.enemies, {300, 160}, 20, 1000);
    m.penetratingShots.push_back(rightwards({100, 160}, 1000, 30));
    resolvePenetratingShots(m);
    std::size_t back = 0, on = 0;
    for (const auto& p : particles->layer(Particlehandler::air))
        if (p->sprite.getTextureRect().top == 2 * 32)
            (p->velocity.x < 0 ? back : on) += 1;
    EXPECT_EQ(back, 10u);
    EXPECT_EQ(on, 10u);
    // Two to three chips each way at each of the two walls.
    std::size_t chipCount = particlesOfRow(Particlehandler::air, 4);
    EXPECT_GE(chipCount, 8u);
    EXPECT_LE(chipCount, 12u);
    particles->clear();
}

TEST(SegmentGeometry, ASegmentEntersATileAtItsFirstCrossing) {
    auto hit = segmentEntersTile({0, 100}, {300, 100}, 2, 1);
    ASSERT_TRUE(hit);
    EXPECT_FLOAT_EQ(hit->x, 128);
    EXPECT_FALSE(segmentEntersTile({0, 100}, {120, 100}, 2, 1));
    EXPECT_FALSE(segmentEntersTile({0, 10}, {300, 10}, 2, 1));
    auto inside = segmentEntersTile({140, 80}, {300, 300}, 2, 1);
    ASSERT_TRUE(inside);
    EXPECT_EQ(*inside, sf::Vector2f(140, 80));
}

// A tracer is laid out once rather than at every corner set: it draws the
// picture of the convex shape set corner by corner, fresh and half faded.
TEST(SegmentGeometry, ATracerDrawsWhatAConvexShapeOfItsCornersDraws) {
    auto picture = [](const sf::Shape& shape) {
        sf::RenderTexture canvas;
        EXPECT_TRUE(canvas.create(160, 120));
        canvas.clear();
        canvas.draw(shape);
        canvas.display();
        return canvas.getTexture().copyToImage();
    };
    using Line = std::tuple<sf::Vector2f, sf::Vector2f, float>;
    for (auto [a, b, width] :
         {Line{{10, 10}, {150, 97}, 3}, Line{{80, 5}, {80, 110}, 1}, Line{{40, 40}, {40, 40}, 6}})
        for (float faded : {0.0f, 0.2f}) {
            Tracer tracer = makeTracer(a, b, width, sf::Color(250, 190, 60));
            fadeTracer(tracer, faded);
            sf::ConvexShape shape(4);
            for (std::size_t i = 0; i < 4; ++i)
                shape.setPoint(i, tracer.shape.getPoint(i));
            shape.setFillColor(tracer.shape.getFillColor());
            shape.setOutlineColor(tracer.shape.getOutlineColor());
            shape.setOutlineThickness(tracer.shape.getOutlineThickness());
            EXPECT_EQ(tracer.shape.getGlobalBounds(), shape.getGlobalBounds());
            sf::Image mine = picture(tracer.shape), reference = picture(shape);
            EXPECT_TRUE(std::equal(mine.getPixelsPtr(), mine.getPixelsPtr() + 160 * 120 * 4,
                                   reference.getPixelsPtr()));
        }
}

} // namespace
