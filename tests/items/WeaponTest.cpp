#include "items/Weapon.h"
#include "actors/Grenade.h"
#include "actors/Player.h"
#include "app/Camera.h"
#include "app/Contenthandler.h"
#include "app/InputState.h"
#include "items/Bomb.h"
#include "world/Map.h"
#include "world/Maphandler.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <memory>

namespace {

const WeaponStats pistolStats{"9mm pistol", 0.85f, 1.1f, 1,     19,    true,  8,
                              850,          0.45f, 15,   false, false, false, 1};
const WeaponStats shotgunStats{
    "PumpAction Shotgun", -1.5f, 1, 14, 9, true, 1, 650, 0.2f, 6, false, false, false, 2};
const WeaponStats supershotgunStats{"Supershotgun", -3, 1,     32,    8,     true, 1, 600,
                                    0.35f,          1,  false, false, false, 2};
const WeaponStats railGunStats{"Rail Gun", 0.95f, 0.5f, 1,    135,   true,  0.3f,
                               2000,       0.19f, 1,    true, false, false, 10};
const WeaponStats chainsawStats{"Chainsaw", 1, 999, 1, 4, false, 60, 100, 0.4f, 150, false, false, true, 11};
const WeaponStats knifeStats{"Knife", -2.4f, 5, 12, 6, false, 4, 65, 1.4f, 2, false, false, true, 7};
const WeaponStats katanaStats{"Katana", -7, 5, 21, 12, false, 1, 125, 0.55f, 2, false, false, true, 9};
const BombStats grenadeStats{"Grenade", -1, 1.2f, 150, 0.6f, 0.15f, 3, 300, 1000, 3, 1.4f, 5};
const BombStats nukeStats{"Nuke", 0.99f, 1, 550, 1, 0.07f, 1, 1600, 0, 10, 4, 12};

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
    }
    void TearDown() override { Maphandler::getInstance()->setCurrentMap(nullptr); }

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

TEST_F(WeaponInHand, ChainsawRunsSixtyTimesASecondThenReloadsAsLong) {
    Weapon saw(chainsawStats);
    const float dt = 1.0f / 240;
    float t = 0, lastShot = 0, firstAfterReload = -1;
    std::size_t shots = 0;
    // Start with a spent cooldown, as a chainsaw long in hand has.
    for (int i = 0; i < 240; ++i)
        frame(saw, dt, false);
    while (t < 6 && firstAfterReload < 0) {
        frame(saw, dt, true);
        t += dt;
        if (shotsFired() > shots) {
            shots = shotsFired();
            if (shots <= 150)
                lastShot = t;
            else
                firstAfterReload = t;
        }
    }
    EXPECT_NEAR(lastShot, 2.5f, 0.02f);
    EXPECT_NEAR(firstAfterReload - lastShot, 2.5f, 0.03f);
    // The saw's teeth do not spread.
    for (const Shot& s : map->shots)
        EXPECT_FLOAT_EQ(s.angle, map->shots.front().angle);
}

TEST_F(WeaponInHand, ManualReloadEmptiesTheMagazineAndRefillsAfterTheReloadTime) {
    Weapon pistol(pistolStats);
    pistol.setAmmo(0);
    pistol.update(0.01f, 0);
    EXPECT_FLOAT_EQ(pistol.getAmmoFraction(), 0.0f);
    float t = 0.01f;
    while (pistol.getAmmo() == 0 && t < 5) {
        pistol.update(0.01f, 0);
        t += 0.01f;
        if (pistol.getAmmo() == 0) {
            EXPECT_LE(pistol.getAmmoFraction(), 1.0f);
        }
    }
    EXPECT_NEAR(t, 1 / 0.45f, 0.02f);
    EXPECT_FLOAT_EQ(pistol.getAmmo(), 15);
    EXPECT_FLOAT_EQ(pistol.getAmmoFraction(), 1.0f);
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
    EXPECT_GE(lowest, -0.3125f);
    EXPECT_LE(highest, 0.3125f);
    EXPECT_GT(highest - lowest, 0.2f);
}

TEST_F(WeaponInHand, WithoutAMapFiringStillSpendsTheRound) {
    Maphandler::getInstance()->setCurrentMap(nullptr);
    Weapon pistol(pistolStats);
    for (int i = 0; i < 60; ++i)
        pistol.update(0.02f, 0);
    pistol.fire(*player, 0);
    EXPECT_FLOAT_EQ(pistol.getAmmo(), 14);
    EXPECT_FLOAT_EQ(pistol.getShotTimer().remaining, 1);
}

TEST_F(WeaponInHand, EmptyOrSprintingGunsPointDownAndLoadedOnesTurnToThePointer) {
    Weapon pistol(pistolStats);
    pistol.setPosition({400, 300});
    for (int i = 0; i < 100; ++i)
        pistol.update(0.02f, 0);
    EXPECT_NEAR(pistol.getAngle(), 3.1415f + 3.1415f, 0.001f); // pointer straight to the right
    pistol.setSprinting(true);
    for (int i = 0; i < 100; ++i)
        pistol.update(0.02f, 0);
    EXPECT_FLOAT_EQ(pistol.getAngle(), 1.57f);
    EXPECT_NEAR(std::remainder(pistol.getSprite().getRotation() - (1.57f * 0.15923566f * 360 - 90), 360.0f),
                0, 0.001f);

    Weapon knife(knifeStats);
    knife.setPosition({400, 300});
    knife.setSprinting(true);
    for (int i = 0; i < 100; ++i)
        knife.update(0.02f, 0);
    EXPECT_NEAR(knife.getAngle(), 6.283f, 0.001f) << "melee weapons stay raised";
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

TEST_F(WeaponInHand, AFastBladeStillSwingsItsWholeArc) {
    Weapon knife(knifeStats);
    knife.setSpeed(8);
    for (int i = 0; i < 100; ++i)
        knife.update(0.02f, 0);
    knife.fire(*player, 0);
    float start = knife.getSwingAngle();
    while (knife.isSwinging())
        knife.update(0.001f, 0);
    EXPECT_NEAR(std::abs(knife.getSwingAngle() - start), 34, 1.0f);
}

TEST_F(WeaponInHand, HandsPickTheirSpriteColumnAndTheSoundsOfTheirKind) {
    Contenthandler* content = Contenthandler::getInstance();
    Weapon pistol(pistolStats);
    pistol.setHand(1);
    EXPECT_EQ(pistol.getSprite().getTextureRect(), sf::IntRect(64, 64, 64, 64));
    EXPECT_EQ(pistol.getShotBuffer(), &content->pistolBuffer);
    EXPECT_EQ(content->weaponSounds[1].getBuffer(), &content->pistolBuffer);
    EXPECT_EQ(content->reloadSounds[1].getBuffer(), &content->pistolReloadBuffer);
    Weapon saw(chainsawStats);
    saw.setHand(0);
    EXPECT_EQ(saw.getSprite().getTextureRect(), sf::IntRect(0, 64 * 11, 64, 64));
    EXPECT_EQ(content->weaponSounds[0].getBuffer(), &content->chainsawUseBuffer);
    Bomb nuke(nukeStats);
    nuke.setHand(7);
    EXPECT_EQ(nuke.getHand(), 0) << "an unknown hand falls back to the right";
    saw.setGfx(3);
    EXPECT_EQ(saw.getSprite().getTextureRect(), sf::IntRect(0, 64 * 3, 64, 64));
}

TEST_F(WeaponInHand, BombsThrowGrenadesTowardThePointerWithTheirStats) {
    Bomb grenade(grenadeStats);
    grenade.setPosition({410, 310});
    for (int i = 0; i < 100; ++i)
        grenade.update(0.04f, 0);
    grenade.setThrowingSpeed(750);
    InputState::getInstance()->mouse = {400, 800}; // straight below the player
    grenade.fire(*player, 0);
    ASSERT_EQ(map->grenades.size(), 1u);
    auto* thrown = dynamic_cast<Grenade*>(map->grenades[0].get());
    ASSERT_NE(thrown, nullptr);
    EXPECT_FLOAT_EQ(thrown->damage, 150);
    EXPECT_FLOAT_EQ(thrown->explosionRadius, 300);
    EXPECT_FLOAT_EQ(thrown->friction, 1.4f);
    EXPECT_NEAR(thrown->velocity.x, 0, 0.1f);
    EXPECT_NEAR(thrown->velocity.y, 750, 0.1f);
    EXPECT_EQ(thrown->position, grenade.getSprite().getPosition());
    EXPECT_EQ(thrown->sprite.getTextureRect(), sf::IntRect(0, 0, 64, 64));
    EXPECT_EQ(thrown->countdownText.getString(), "3");
    EXPECT_TRUE(thrown->fuseTimer.running);
    EXPECT_FLOAT_EQ(grenade.getAmmo(), 2);
    EXPECT_GT(grenade.getRecoil(), 0);

    grenade.fire(*player, 0);
    EXPECT_EQ(map->grenades.size(), 1u) << "the cooldown holds the next throw";

    Bomb nuke(nukeStats);
    for (int i = 0; i < 100; ++i)
        nuke.update(0.04f, 0);
    nuke.fire(*player, 0);
    ASSERT_EQ(map->grenades.size(), 2u);
    EXPECT_EQ(dynamic_cast<Grenade*>(map->grenades[1].get())->sprite.getTextureRect(),
              sf::IntRect(192, 0, 64, 64));
    EXPECT_EQ(Bomb::grenadeKind("Bomb"), 2);
}

TEST(ShotWindow, CoversTheRangeAroundTheShooterInsideTheGrid) {
    EXPECT_EQ(shotTileWindow({640, 640}, 128, 100, 100), sf::IntRect(6, 6, 9, 9));
    EXPECT_EQ(shotTileWindow({0, 0}, 5000, 20, 10), sf::IntRect(0, 0, 20, 10));
    sf::IntRect far = shotTileWindow({-1e9f, NAN}, 1e30f, 20, 10);
    EXPECT_TRUE(far.left >= 0 && far.width >= 1 && far.left + far.width <= 20);
    EXPECT_TRUE(far.top >= 0 && far.height >= 1 && far.top + far.height <= 10);
    EXPECT_EQ(shotTileWindow({100, 100}, 100, 0, 0), sf::IntRect());
}

TEST(AimTurn, WrapsIntoHalfATurnEitherWay) {
    EXPECT_FLOAT_EQ(wrapAimTurn(3.14f), 3.14f);
    EXPECT_FLOAT_EQ(wrapAimTurn(-3.14f), 3.14f);
    EXPECT_NEAR(wrapAimTurn(6.0f), 6.0f - 6.28f, 1e-5f);
    EXPECT_NEAR(wrapAimTurn(-7.0f), -7.0f + 6.28f, 1e-5f);
    EXPECT_FLOAT_EQ(wrapAimTurn(INFINITY), 0);
    float huge = wrapAimTurn(1e30f);
    EXPECT_TRUE(huge > -3.14f && huge <= 3.14f);
}

TEST_F(WeaponInHand, TheReloadSoundStartsSoThatItEndsWithTheReload) {
    Contenthandler* content = Contenthandler::getInstance();
    sf::Sound& channel = content->reloadSounds[0];
    channel.stop();
    Weapon rail(railGunStats);
    rail.setHand(0);
    const float soundLength = content->railgunReloadBuffer.getDuration().asSeconds();
    ASSERT_GT(soundLength, 0.5f);
    rail.setAmmo(0);
    float t = 0, started = -1;
    while (rail.getAmmo() == 0 && t < 10) {
        rail.update(0.01f, 0);
        t += 0.01f;
        if (started < 0 && channel.getStatus() == sf::Sound::Playing)
            started = t;
    }
    channel.stop();
    // 1 / 0.19 s of reload; the sound runs out 0.2 s after it.
    EXPECT_NEAR(started, 1 / 0.19f - (soundLength - 0.2f), 0.03f);
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
