#include "actors/Tazer.h"
#include "actors/Player.h"
#include "core/Globals.h"
#include "core/InputState.h"
#include "effects/Particlehandler.h"
#include "world/Map.h"
#include "world/Mapentity.h"
#include "world/Maphandler.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

namespace {

// A still circle on the map: stands in for an enemy or an alien projectile.
class Target : public Mapentity {
  public:
    Target(sf::Vector2f where, float r) {
        position = where;
        radius = r;
    }
};

Tazer charged() {
    Tazer t;
    t.rechargeTimer.remaining = 0;
    return t;
}

// Flies the beam frame by frame until something stops it; false if nothing did.
bool flyUntilStopped(Tazer& t, Map& map, int frames = 400) {
    for (int i = 0; i < frames && t.active; ++i) {
        t.advance(0.016f, 0);
        if (t.active)
            t.strike(map);
    }
    return !t.active;
}

TEST(Tazer, StopsAtTheFirstWallAndLeavesItsTrail) {
    Map map(40, 40);
    for (auto& tile : map.walls[10])
        tile.kind = 1; // a wall from x = 640 to 704
    Tazer t = charged();
    t.pull({300, 300}, {2000, 300});
    t.advance(0.016f, 0);
    t.strike(map);
    ASSERT_EQ(map.tracers.size(), 2u);
    EXPECT_EQ(map.tracers[0].shape.getFillColor(), sf::Color(56, 176, 222));
    EXPECT_EQ(map.tracers[1].shape.getFillColor(), sf::Color(248, 248, 255));

    ASSERT_TRUE(flyUntilStopped(t, map));
    EXPECT_GE(t.beamTip[0].x, 640);
    EXPECT_LT(t.beamTip[1].x, 704);
}

TEST(Tazer, StopsAtTheFirstLiveEnemyAndPassesTheDead) {
    Map map(40, 40);
    map.enemies.push_back(std::make_unique<Target>(sf::Vector2f(600, 300), 24));
    map.enemies.back()->dead = true;
    map.enemies.push_back(std::make_unique<Target>(sf::Vector2f(900, 310), 24));
    Tazer t = charged();
    t.pull({300, 300}, {2000, 300});
    ASSERT_TRUE(flyUntilStopped(t, map));
    EXPECT_GT(t.beamTip[0].x, 860);
    EXPECT_LT(t.beamTip[1].x, 900);
}

TEST(Tazer, DestroysTheAlienProjectileItMeets) {
    Map map(40, 40);
    map.bullets.push_back(std::make_unique<Target>(sf::Vector2f(300, 700), 8));
    map.bullets.push_back(std::make_unique<Target>(sf::Vector2f(300, 800), 8));
    Tazer t = charged();
    t.pull({300, 300}, {300, 2000});
    Particlehandler::getInstance()->clear();
    ASSERT_TRUE(flyUntilStopped(t, map));
    EXPECT_TRUE(map.bullets[0]->dead);
    EXPECT_FALSE(map.bullets[1]->dead);
    // Sparks fly out sideways from the beam, half to each side.
    int left = 0, right = 0;
    for (const auto& p : Particlehandler::getInstance()->layer(Particlehandler::glow)) {
        EXPECT_GT(std::abs(p->velocity.x), std::abs(p->velocity.y));
        (p->velocity.x < 0 ? left : right) += 1;
    }
    EXPECT_GT(left, 0);
    EXPECT_EQ(left, right);
    Particlehandler::getInstance()->clear();
}

class TazerTrigger : public ::testing::Test {
  protected:
    void SetUp() override {
        levelNumber = 1;
        Maphandler::getInstance()->setCurrentMap(std::make_unique<Map>(40, 40));
        player = Player::getInstance();
        player->resetForLevel(true);
        player->position = {1280, 1280};
        player->taser.rechargeTimer.remaining = 0;
        enemy = new Target(player->position + sf::Vector2f(1200, 0), 24);
        Maphandler::getInstance()->currentMap()->enemies.emplace_back(enemy);
    }
    void TearDown() override { middle(false, false); }
    static void middle(bool now, bool before) {
        InputState* input = InputState::getInstance();
        input->buttons[2] = now;
        input->previousButtons[2] = before;
    }
    Player* player = nullptr;
    Mapentity* enemy = nullptr; // owned by the map
};

TEST_F(TazerTrigger, ASecondPressCallsTheBeamBackWithoutFiringAgain) {
    Tazer& t = player->taser;
    middle(true, false);
    t.update(0.016f, 0);
    ASSERT_TRUE(t.active);
    middle(true, true); // held: nothing new
    t.update(0.016f, 0);
    EXPECT_TRUE(t.active);
    middle(false, true);
    t.update(0.016f, 0);
    middle(true, false);
    t.update(0.016f, 0);
    EXPECT_FALSE(t.active);
    EXPECT_GT(t.rechargeTimer.remaining, 0.9f); // the recharge began with the shot

    // Recharging: a third press sends nothing.
    middle(false, true);
    t.update(0.016f, 0);
    middle(true, false);
    t.update(0.016f, 0);
    EXPECT_FALSE(t.active);
    EXPECT_FALSE(enemy->dead);
}

} // namespace
