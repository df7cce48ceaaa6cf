#include "items/Weapon.h"
#include "actors/Grenade.h"
#include "actors/Player.h"
#include "core/Camera.h"
#include "core/Contenthandler.h"
#include "core/InputState.h"
#include "items/Bomb.h"
#include "support/BaseTypes.h"
#include "world/Map.h"
#include "world/Maphandler.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <memory>
#include <vector>

namespace {

const WeaponStats& pistolStats = design::weapon("9mm pistol");
const WeaponStats& shotgunStats = design::weapon("PumpAction Shotgun");
const WeaponStats& supershotgunStats = design::weapon("Supershotgun");
const WeaponStats& railGunStats = design::weapon("Rail Gun");
const WeaponStats& chainsawStats = design::weapon("Chainsaw");
const WeaponStats& knifeStats = design::weapon("Knife");
const WeaponStats& katanaStats = design::weapon("Katana");
const BombStats& grenadeStats = design::bomb("Grenade");
const BombStats& nukeStats = design::bomb("Nuke");

// A weapon in the right hand of a player standing on an empty map, with
// the pointer straight to his right.
class WeaponInHand : public ::testing::Test {
  protected:
    void SetUp() override {
        Maphandler::getInstance()->setCurrentMap(std::make_unique<Map>(60, 40));
        map = Maphandler::getInstance()->currentMap();
        player = Player::getInstance();
        player->position = {400, 300};
        Camera::getInstance()->screenMode = false;
        Camera::getInstance()->visibleArea = sf::IntRect(0, 0, 1920, 1080);
        InputState::getInstance()->mouse = {1400, 300};
        for (bool& b : InputState::getInstance()->buttons)
            b = false;
        // The sounds the tests look at loop, so that a look taken late (on a
        // busy machine) still finds a started sound playing.
        for (sf::Sound* sound : sounds())
            sound->setLoop(true);
    }
    void TearDown() override {
        for (sf::Sound* sound : sounds()) {
            sound->stop();
            sound->setLoop(false);
        }
        Maphandler::getInstance()->setCurrentMap(nullptr);
    }
    static std::vector<sf::Sound*> sounds() {
        Contenthandler* content = Contenthandler::getInstance();
        return {&content->weaponSounds[0], &content->weaponSounds[1], &content->dryFireSound};
    }

    // One frame as the player runs it: update, then a pull of the trigger.
    void frame(Weapon& w, float dt, bool pull) {
        w.update(dt, 0);
        if (pull)
            w.fire(*player, 0);
    }
    std::size_t shotsFired() const { return map->shots.size() + map->penetratingShots.size(); }

    Map* map = nullptr;
    Player* player = nullptr;
};

TEST_F(WeaponInHand, RailGunWaitsOutItsCooldownAndReloadsAfterEveryShot) {
    Weapon rail(railGunStats);
    const float dt = 0.01f;
    float t = 0, shotTimes[2] = {-1, -1};
    std::size_t shots = 0;
    // The cooldown starts full: the first shot comes after 1 / 0.3 s; the
    // second has to wait for the reload of the one-round magazine.
    while (t < 12 && shots < 2) {
        frame(rail, dt, true);
        t += dt;
        if (shotsFired() > shots)
            shotTimes[shots++] = t;
    }
    EXPECT_NEAR(shotTimes[0], 3.33f, 0.02f);
    EXPECT_NEAR(shotTimes[1] - shotTimes[0], 1 / 0.19f, 0.03f);
    EXPECT_EQ(map->penetratingShots.size(), 2u);
    EXPECT_TRUE(map->shots.empty());

    // Loaded again at once, the cooldown alone holds the next shot back.
    Weapon fresh(railGunStats);
    for (int i = 0; i < 400; ++i)
        fresh.update(0.01f, 0);
    fresh.fire(*player, 0);
    for (int i = 0; i < 330; ++i) {
        fresh.update(0.01f, 0);
        fresh.refill();
        fresh.fire(*player, 0);
        ASSERT_EQ(fresh.getAmmo(), 1) << "fired again after " << (i + 1) * 0.01f << " s";
    }
    for (int i = 0; i < 5; ++i)
        fresh.update(0.01f, 0);
    fresh.fire(*player, 0);
    EXPECT_EQ(fresh.getAmmo(), 0);
}

TEST_F(WeaponInHand, RecoilStaysBetweenZeroAndOneAndTheHoldDistanceFollows) {
    Weapon heavy(supershotgunStats);
    heavy.setStability(0.05f);
    for (int i = 0; i < 200; ++i) {
        heavy.refill();
        frame(heavy, 0.04f, true);
        EXPECT_GE(heavy.getRecoil(), 0.0f);
        EXPECT_LE(heavy.getRecoil(), 1.0f);
        EXPECT_GE(heavy.getHoldDistance(), 8.0f);
        EXPECT_LE(heavy.getHoldDistance(), 40.0f);
    }
    EXPECT_GT(heavy.getRecoil(), 0.5f);
    for (int i = 0; i < 200; ++i)
        heavy.update(0.04f, 0);
    EXPECT_FLOAT_EQ(heavy.getRecoil(), 0.0f);
    heavy.update(0.04f, 0);
    EXPECT_FLOAT_EQ(heavy.getHoldDistance(), 40.0f);

    // A power that takes no square root must not leave a bomb's recoil NaN for good.
    Bomb broken(grenadeStats);
    broken.setPower(-4);
    for (int i = 0; i < 100; ++i)
        broken.update(0.04f, 0);
    broken.fire(*player, 0);
    EXPECT_FALSE(std::isnan(broken.getRecoil()));
}

TEST_F(WeaponInHand, ShotsCarryTheWeaponsStatsFromTheMuzzle) {
    Weapon pistol(pistolStats);
    pistol.setPosition({420, 300});
    pistol.addAffix({"CON", "Concussive", 1, 40});
    pistol.addAffix({"POI", "Poisoned", 1, 40});
    pistol.applyAffixes();
    for (int i = 0; i < 60; ++i)
        pistol.update(0.02f, 0);
    pistol.fire(*player, 0);
    ASSERT_EQ(map->shots.size(), 1u);
    const Shot& s = map->shots[0];
    EXPECT_FLOAT_EQ(s.damage, 19);
    EXPECT_FLOAT_EQ(s.range, 850);
    EXPECT_EQ(s.tracerSize, 1); // 0.4 * sqrt(19)
    EXPECT_EQ(s.tracerColor, pistol.getShotColor());
    EXPECT_TRUE(s.concussive && s.poisoned);
    EXPECT_FALSE(s.explosive || s.noTracer || s.adrenaline || s.absorbsProjectiles);
    EXPECT_NEAR(s.origin.x, pistol.getSprite().getPosition().x + 44 * std::cos(pistol.getAngle()), 30);
    EXPECT_EQ(s.origin, pistol.getMuzzlePosition());
    // Aimed at the pointer on the right, with at most 7.5 units of spread.
    EXPECT_NEAR(std::remainder(s.angle, 6.2831853f), 0.0f, 0.02f);
    EXPECT_FLOAT_EQ(pistol.getAmmo(), 14);
    EXPECT_EQ(s.tileWindow, sf::IntRect(0, 0, 22, 20));
}

TEST_F(WeaponInHand, SpreadWidensWithInaccuracy) {
    srand(11);
    Weapon shotgun(shotgunStats);
    for (int i = 0; i < 60; ++i)
        shotgun.update(0.02f, 0);
    float aim = shotgun.getAngle();
    shotgun.fire(*player, 0);
    ASSERT_EQ(map->shots.size(), 14u);
    float lowest = 10, highest = -10;
    for (const Shot& s : map->shots) {
        lowest = std::min(lowest, s.angle - aim);
        highest = std::max(highest, s.angle - aim);
    }
    EXPECT_GT(highest - lowest, 0.2f);
}

TEST_F(WeaponInHand, MeleeWeaponsSwingAcrossTheirArcAndStretchToTheirReach) {
    struct Case {
        const WeaponStats* stats;
        float arc;
    };
    for (Case c : {Case{&knifeStats, 17}, Case{&katanaStats, 40}}) {
        for (unsigned seed : {1u, 2u, 3u, 4u}) {
            Weapon blade(*c.stats);
            for (int i = 0; i < 100; ++i)
                blade.update(0.02f, 0);
            srand(seed);
            float rotation = blade.getSprite().getRotation();
            blade.fire(*player, 0);
            EXPECT_TRUE(blade.isSwinging());
            EXPECT_FLOAT_EQ(blade.getSprite().getScale().y, blade.getRange() / 48);
            EXPECT_NEAR(std::abs(blade.getSwingAngle() - rotation), c.arc, 0.01f) << c.stats->basename;
            float start = blade.getSwingAngle();
            while (blade.isSwinging())
                blade.update(0.001f, 0);
            // The swing ends on the far side of the aim.
            EXPECT_NEAR(std::abs(blade.getSwingAngle() - start), 2 * c.arc, 0.5f) << c.stats->basename;
            EXPECT_FLOAT_EQ(blade.getSprite().getScale().y, 1);
        }
    }
    EXPECT_EQ(map->penetratingShots.size(), 0u);
    for (const Shot& s : map->shots)
        EXPECT_TRUE(s.noTracer);
}

TEST_F(WeaponInHand, TheChainsawRunsOnlyWhileItsButtonIsHeld) {
    Contenthandler* content = Contenthandler::getInstance();
    sf::Sound& channel = content->weaponSounds[0];
    Weapon saw(chainsawStats);
    saw.setHand(0); // the right hand answers to the right mouse button
    for (int i = 0; i < 10; ++i)
        saw.update(0.04f, 0);
    InputState::getInstance()->buttons[1] = true;
    saw.update(0.01f, 0);
    saw.fire(*player, 0);
    ASSERT_EQ(channel.getStatus(), sf::Sound::Playing);
    for (int i = 0; i < 20; ++i)
        frame(saw, 1.0f / 120, true);
    EXPECT_EQ(channel.getStatus(), sf::Sound::Playing);
    InputState::getInstance()->buttons[1] = false;
    saw.update(0.01f, 0);
    EXPECT_EQ(channel.getStatus(), sf::Sound::Stopped);
}

TEST_F(WeaponInHand, PullingTheTriggerDuringAReloadClicksExceptOnBladesAndBombs) {
    sf::Sound& click = Contenthandler::getInstance()->dryFireSound;
    click.stop();
    Weapon pistol(pistolStats);
    pistol.setAmmo(0);
    pistol.update(0.01f, 0);
    pistol.fire(*player, 0);
    EXPECT_EQ(click.getStatus(), sf::Sound::Playing);
    click.stop();
    Weapon knife(knifeStats);
    knife.setAmmo(0);
    knife.update(0.01f, 0);
    knife.fire(*player, 0);
    EXPECT_EQ(click.getStatus(), sf::Sound::Stopped);
    EXPECT_TRUE(map->shots.empty());
}

} // namespace
