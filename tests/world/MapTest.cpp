#include "world/Map.h"
#include "app/Globals.h"
#include "world/Furniture.h"
#include "world/Maphandler.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

TEST(Map, TileAtRoundsAndClampsAnyPositionIntoTheGrid) {
    Map m(10, 6);
    auto index = [&m](sf::Vector2f p) {
        const Tile* t = m.tileAt(p);
        for (int x = 0; x < m.columns(); ++x)
            for (int y = 0; y < m.rows(); ++y)
                if (t == &m.layout[static_cast<std::size_t>(x)][static_cast<std::size_t>(y)])
                    return sf::Vector2i(x, y);
        return sf::Vector2i(-1, -1);
    };
    EXPECT_EQ(index({2.4f, 3.6f}), sf::Vector2i(2, 4));
    EXPECT_EQ(index({-5, -0.7f}), sf::Vector2i(0, 0));
    EXPECT_EQ(index({99, 5.9f}), sf::Vector2i(9, 5));
    EXPECT_EQ(index({8.6f, 1e9f}), sf::Vector2i(9, 5));
    float nan = std::numeric_limits<float>::quiet_NaN();
    EXPECT_NE(index({nan, nan}), sf::Vector2i(-1, -1));
    Map empty;
    EXPECT_EQ(empty.tileAt({1, 1}), nullptr);
}

TEST(Map, ViewWindowCoversTheScreenAndIsEmptyForANarrowView) {
    Map m(200, 200);
    m.computeViewWindow({3200, 3200}, {1920, 1080});
    // About 17.8 tiles either side horizontally, 9.1 above and 10.1 below.
    EXPECT_EQ(m.viewX0, 32u);
    EXPECT_EQ(m.viewX1, 67u);
    EXPECT_EQ(m.viewY0, 40u);
    EXPECT_EQ(m.viewY1, 60u);
    m.computeViewWindow({3200, 3200}, {1000, 1080});
    EXPECT_GE(m.viewX0, m.viewX1);
    EXPECT_LT(m.viewY0, m.viewY1);
    // Clamped into the grid near the corner.
    m.computeViewWindow({0, 0}, {1920, 1080});
    EXPECT_EQ(m.viewY0, 0u);
    EXPECT_LE(m.viewX1, 199u);
}

TEST(Map, TracersAndStainsFadeAndDieAtZero) {
    Tracer t;
    t.shape.setFillColor(sf::Color(255, 255, 0, 200));
    t.shape.setOutlineColor(sf::Color(255, 255, 0, 100));
    t.rate = 400;
    fadeTracer(t, 0.25f);
    EXPECT_EQ(t.shape.getFillColor().a, 100);
    EXPECT_EQ(t.shape.getOutlineColor().a, 0);
    EXPECT_FALSE(t.dead);
    fadeTracer(t, 0.25f);
    EXPECT_TRUE(t.dead);

    Stain s;
    s.shape.setFillColor(sf::Color(150, 10, 10, 100));
    s.rate = 40;
    fadeStain(s, 1.0f);
    EXPECT_EQ(s.shape.getFillColor().a, 60);
    EXPECT_EQ(s.shape.getFillColor().g, 30);
    EXPECT_FALSE(s.dead);
    fadeStain(s, 2.0f);
    EXPECT_TRUE(s.dead);
}

TEST(Map, CleanUpRemovesDeadPropsAndBarrelsLeaveAnExplosion) {
    Maphandler::getInstance();
    levelNumber = 12;
    Map m(20, 20);
    float x = 100;
    auto add = [&m, &x](sf::IntRect rect, bool dead) {
        x += 200;
        auto piece = std::make_unique<Furniture>(sf::Vector2f(x, 400), false, rect);
        piece->dead = dead;
        m.furniture.push_back(std::move(piece));
    };
    add({384, 0, 64, 64}, true);
    add({640, 64, 64, 64}, true); // barrel
    add({448, 0, 64, 64}, false);
    Tracer dying;
    dying.dead = true;
    m.tracers.push_back(dying);
    m.tracers.push_back(Tracer());
    m.update(0.0f);
    ASSERT_EQ(m.furniture.size(), 1u);
    EXPECT_FALSE(m.furniture[0]->dead);
    ASSERT_EQ(m.explosions.size(), 1u);
    EXPECT_FLOAT_EQ(m.explosions[0].damage, (12 / 5 + 1) * 250.0f);
    EXPECT_FLOAT_EQ(m.explosions[0].radius, 350.0f);
    EXPECT_FLOAT_EQ(m.explosions[0].x, 500);
    EXPECT_EQ(m.tracers.size(), 1u);
    levelNumber = 1;
}

// A plain entity that can be flagged dead.
class Prop : public Mapentity {
  public:
    explicit Prop(bool isDead) {
        dead = isDead;
        radius = 10;
        position = {200, 200};
    }
};

TEST(Map, CleanUpRemovesEveryDeadEntityTheSameFrameEvenNeighbours) {
    Maphandler::getInstance();
    Map m(20, 20);
    for (bool dead : {true, true, false, true, false, true})
        m.enemies.push_back(std::make_unique<Prop>(dead));
    for (bool dead : {false, true, true})
        m.bullets.push_back(std::make_unique<Prop>(dead));
    Mapentity* survivor = m.enemies[2].get();
    m.update(0.016f);
    ASSERT_EQ(m.enemies.size(), 2u);
    EXPECT_EQ(m.enemies[0].get(), survivor);
    EXPECT_EQ(m.bullets.size(), 1u);
}

TEST(Map, ElapsedGrowsWithEveryUpdate) {
    Map m(20, 20);
    m.update(0.25f);
    m.update(0.5f);
    EXPECT_FLOAT_EQ(m.elapsed, 0.75f);
}

TEST(Map, OnlyBarrelCellsAreExplosive) {
    for (int top : {0, 64})
        for (int kind = 6; kind <= 10; ++kind) {
            Furniture f({0, 0}, false, {64 * kind, top, 64, 64});
            EXPECT_EQ(f.explosive, kind == 10);
            EXPECT_GE(f.HP, 30);
            EXPECT_LE(f.HP, 100);
            EXPECT_GE(f.armour, 1);
            EXPECT_LE(f.armour, 15);
        }
}

} // namespace
