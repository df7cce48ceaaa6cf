#include "world/Map.h"
#include "core/Globals.h"
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

} // namespace
