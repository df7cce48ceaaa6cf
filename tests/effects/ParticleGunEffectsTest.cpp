#include "actors/Player.h"
#include "app/Camera.h"
#include "app/InputState.h"
#include "effects/DropParticle.h"
#include "effects/Particlehandler.h"
#include "items/Bomb.h"
#include "items/Weapon.h"
#include "world/Map.h"
#include "world/Maphandler.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

namespace {

const WeaponStats pistolStats{"9mm pistol", 0.85f, 1.1f, 1,     19,    true,  8,
                              850,          0.45f, 15,   false, false, false, 1};
const WeaponStats knifeStats{"Knife", -2.4f, 5, 12, 6, false, 4, 65, 1.4f, 2, false, false, true, 7};
const BombStats grenadeStats{"Grenade", -1, 1.2f, 150, 0.6f, 0.15f, 3, 300, 1000, 3, 1.4f, 5};
const BombStats nukeStats{"Nuke", 0.99f, 1, 550, 1, 0.07f, 1, 1600, 0, 10, 4, 12};

// A loaded weapon in the player's hand on an empty map, the pointer to his right.
class GunEffects : public ::testing::Test {
  protected:
    void SetUp() override {
        std::srand(5);
        Maphandler::getInstance()->setCurrentMap(std::make_unique<Map>(60, 40));
        Player::getInstance()->position = {400, 300};
        Camera::getInstance()->screenMode = false;
        InputState::getInstance()->mouse = {1400, 300};
        particles = Particlehandler::getInstance();
    }
    void TearDown() override {
        Particlehandler::destroyInstance();
        Maphandler::getInstance()->setCurrentMap(nullptr);
    }
    template <typename W> void ready(W& weapon) {
        weapon.setPosition({420, 300});
        for (int i = 0; i < 100; ++i)
            weapon.update(0.04f, 0);
    }
    const DropParticle* casing() const {
        for (const auto& p : particles->layer(Particlehandler::ground))
            if (auto* drop = dynamic_cast<const DropParticle*>(p.get()))
                return drop;
        return nullptr;
    }

    Particlehandler* particles = nullptr;
};

TEST_F(GunEffects, AShotFlashesAtTheMuzzleAndThrowsTheCasingToTheHandsSide) {
    Weapon pistol(pistolStats);
    pistol.setHand(0);
    ready(pistol);
    pistol.fire(*Player::getInstance(), 0);
    EXPECT_FALSE(particles->layer(Particlehandler::glow).empty());
    EXPECT_FALSE(particles->layer(Particlehandler::air).empty());
    const DropParticle* shell = casing();
    ASSERT_NE(shell, nullptr);
    EXPECT_EQ(shell->type, 5);
    // The right hand ejects a quarter turn clockwise of the aim.
    float side = pistol.getAngle() + 1.57f;
    float speed = std::hypot(shell->velocity.x, shell->velocity.y);
    EXPECT_NEAR(shell->velocity.x / speed, std::cos(side), 1e-3f);
    EXPECT_NEAR(shell->velocity.y / speed, std::sin(side), 1e-3f);
}

TEST_F(GunEffects, TheLeftHandThrowsItsCasingsTheOtherWay) {
    Weapon pistol(pistolStats);
    pistol.setHand(1);
    ready(pistol);
    pistol.fire(*Player::getInstance(), 0);
    const DropParticle* shell = casing();
    ASSERT_NE(shell, nullptr);
    float side = pistol.getAngle() + 1.57f - 3.14f;
    float speed = std::hypot(shell->velocity.x, shell->velocity.y);
    EXPECT_NEAR(shell->velocity.x / speed, std::cos(side), 1e-3f);
    EXPECT_NEAR(shell->velocity.y / speed, std::sin(side), 1e-3f);
}

TEST_F(GunEffects, BladesAndHandGrenadesLeaveNoCasing) {
    Weapon knife(knifeStats);
    ready(knife);
    knife.fire(*Player::getInstance(), 0);
    Bomb grenade(grenadeStats);
    ready(grenade);
    grenade.fire(*Player::getInstance(), 0);
    EXPECT_EQ(particles->count(), 0u);
}

TEST_F(GunEffects, AThrownChargeLeavesACasingAndSmokeButNoFlash) {
    Bomb nuke(nukeStats);
    ready(nuke);
    nuke.fire(*Player::getInstance(), 0);
    EXPECT_NE(casing(), nullptr);
    EXPECT_EQ(particles->layer(Particlehandler::air).size(), 1u);
    EXPECT_TRUE(particles->layer(Particlehandler::glow).empty());
}

} // namespace
