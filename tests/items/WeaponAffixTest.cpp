#include "items/Bomb.h"
#include "items/Weapon.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

const WeaponStats pistolStats{"9mm pistol", 0.85f, 1.1f, 1,     19,    true,  8,
                              850,          0.45f, 15,   false, false, false, 1};
const WeaponStats smgStats{"SMG", 0.7f, 1.8f, 1, 16, false, 15, 800, 0.25f, 30, false, false, false, 1};
const BombStats grenadeStats{"Grenade", -1, 1.2f, 150, 0.6f, 0.15f, 3, 300, 1000, 3, 1.4f, 5};

Weapon withAffix(const WeaponStats& stats, const Affix& affix) {
    Weapon weapon(stats);
    weapon.addAffix(affix);
    weapon.applyAffixes();
    return weapon;
}

TEST(WeaponAffixes, EachStatCodeChangesItsStatAndCountsItsPoints) {
    const Weapon plain(pistolStats);
    Weapon w = withAffix(pistolStats, {"RLD", "of Swift Hand", 2, 32});
    EXPECT_FLOAT_EQ(w.getReloadSpeed(), 0.9f);
    EXPECT_FLOAT_EQ(w.getRarity(), 32);

    w = withAffix(pistolStats, {"STB", "of Stability", 0.5f, 26});
    EXPECT_FLOAT_EQ(w.getStability(), 1.6f);
    EXPECT_FLOAT_EQ(w.getRarity(), 26);

    w = withAffix(pistolStats, {"RNG", "Far-Reaching", 1.2f, 24});
    EXPECT_FLOAT_EQ(w.getRange(), 1020);
    EXPECT_EQ(w.getShotColor(), sf::Color(255, 255, 197, 96)); // 255 - 57.6 truncated

    w = withAffix(pistolStats, {"EXP", "Explosive", 1, 32});
    EXPECT_TRUE(w.isExplosive());
    EXPECT_EQ(w.getShotColor(), sf::Color(255, 191, 191, 96));

    w = withAffix(pistolStats, {"ETH", "Ethereal", 1, 42});
    EXPECT_TRUE(w.isPenetrating());
    EXPECT_EQ(w.getShotColor(), sf::Color(207, 255, 207, 96));

    w = withAffix(pistolStats, {"DEF", "Plasma absorbing", 1, 30});
    EXPECT_TRUE(w.isBulletShatter());
    EXPECT_EQ(w.getShotColor(), sf::Color(155, 255, 0, 96));

    w = withAffix(pistolStats, {"CON", "Concussive", 1, 40});
    EXPECT_TRUE(w.isConcussive());
    EXPECT_EQ(w.getShotColor(), sf::Color(207, 207, 207, 96));

    w = withAffix(pistolStats, {"ADR", "Adrenaline coated", 1, 50});
    EXPECT_TRUE(w.isAdrenaline());
    EXPECT_EQ(w.getShotColor(), sf::Color(255, 111, 111, 96));

    w = withAffix(pistolStats, {"POI", "Poisoned", 1, 40});
    EXPECT_TRUE(w.isPoisoned());
    EXPECT_EQ(w.getShotColor(), sf::Color(120, 75, 165, 96));
    EXPECT_FLOAT_EQ(w.getRarity(), 40);

    Weapon radius(pistolStats);
    radius.setExplosionRadius(100);
    radius.addAffix({"EXR", "Wide", 1.4f, 36});
    radius.applyAffixes();
    EXPECT_FLOAT_EQ(radius.getExplosionRadius(), 140);

    // None of the flags leaks into the untouched stats.
    EXPECT_FLOAT_EQ(w.getPower(), plain.getPower());
    EXPECT_FLOAT_EQ(w.getSpeed(), plain.getSpeed());
}

TEST(WeaponAffixes, AccuracyClosesATenthOfTheGapPerUnit) {
    Weapon w = withAffix(pistolStats, {"ACC", "Pinpoint", 2, 38});
    EXPECT_FLOAT_EQ(w.getAccuracy(), 0.88f);
    // A negative value widens the spread.
    w = withAffix(pistolStats, {"ACC", "Erratic", -0.8f, -6});
    EXPECT_FLOAT_EQ(w.getAccuracy(), 0.83f);
}

TEST(WeaponAffixes, MoreShotsShareThePower) {
    Weapon doubled = withAffix(pistolStats, {"SCN", "Double", 2, 32});
    EXPECT_FLOAT_EQ(doubled.getShotCount(), 2);
    EXPECT_FLOAT_EQ(doubled.getPower(), 12.66f);
    Weapon tripled = withAffix(pistolStats, {"SCN", "Triple", 3, 48});
    EXPECT_FLOAT_EQ(tripled.getShotCount(), 3);
    EXPECT_FLOAT_EQ(tripled.getPower(), 9.5f);
}

TEST(WeaponAffixes, BiggerMagazinesAreFilledAtOnce) {
    Weapon w = withAffix(smgStats, {"CLP", "Spacious", 1.4f, 26});
    EXPECT_FLOAT_EQ(w.getMaxAmmo(), 45);
    EXPECT_FLOAT_EQ(w.getAmmo(), 45);
    EXPECT_FLOAT_EQ(w.getRarity(), 26);
}

TEST(WeaponAffixes, PowerAndSpeedTradeAgainstEachOther) {
    Weapon twice(pistolStats);
    twice.addAffix({"POW", "of Apocalypse", 2, 36});
    twice.addAffix({"POW", "Destructive", 1.7f, 24});
    twice.applyAffixes();
    EXPECT_FLOAT_EQ(twice.getSpeed(), std::trunc(8 / std::sqrt(2.0f) / std::sqrt(1.7f) * 100) / 100);
    EXPECT_FLOAT_EQ(twice.getPower(), std::trunc(19 * 2 * 1.7f * 100) / 100);
    EXPECT_FLOAT_EQ(twice.getRarity(), 60);
    EXPECT_EQ(twice.getShotColor(), sf::Color(255, 77, 77, 96)); // 159 - 81.6 truncated

    Weapon weak = withAffix(pistolStats, {"POW", "Feeble", 0.5f, -3});
    EXPECT_FLOAT_EQ(weak.getSpeed(), 8); // a factor below 1 costs no speed
    EXPECT_FLOAT_EQ(weak.getPower(), 9.5f);

    Weapon quick = withAffix(pistolStats, {"SPD", "Lightning-fast", 2, 42});
    EXPECT_FLOAT_EQ(quick.getSpeed(), 16);
    EXPECT_FLOAT_EQ(quick.getPower(), std::trunc(19 / std::sqrt(2.0f) * 100) / 100);
    Weapon slow = withAffix(pistolStats, {"SPD", "Sluggish", 0.8f, -4});
    EXPECT_FLOAT_EQ(slow.getSpeed(), 6.4f);
    EXPECT_FLOAT_EQ(slow.getPower(), 19);
    EXPECT_FLOAT_EQ(slow.getRarity(), -4);
}

TEST(WeaponAffixes, ShotColourChannelsWrapRoundBelowZero) {
    Weapon w(pistolStats);
    w.setShotColor(sf::Color(255, 255, 40, 96));
    w.addAffix({"EXP", "Explosive", 1, 32});
    w.applyAffixes();
    EXPECT_EQ(w.getShotColor().b, 232);
    EXPECT_EQ(w.getShotColor().g, 191);
    EXPECT_EQ(w.getShotColor().a, 96);

    Weapon poisonedTwice(pistolStats);
    poisonedTwice.addAffix({"POI", "Poisoned", 1, 40});
    poisonedTwice.addAffix({"POI", "Poisoned", 1, 40});
    poisonedTwice.applyAffixes();
    EXPECT_EQ(poisonedTwice.getShotColor(), sf::Color(241, 151, 75, 96)); // -15, -105 and 75 wrapped
}

TEST(WeaponAffixes, StatsAreCutToTwoDecimalsAndClamped) {
    Weapon w(WeaponStats{"Test", 0.123456f, 1.23456f, 1, 7.891f, true, 3.33333f, 100, 0.456789f, 5});
    w.applyAffixes();
    EXPECT_FLOAT_EQ(w.getAccuracy(), 0.12f);
    EXPECT_FLOAT_EQ(w.getStability(), 1.23f);
    EXPECT_FLOAT_EQ(w.getPower(), 7.89f);
    EXPECT_FLOAT_EQ(w.getSpeed(), 3.33f);
    EXPECT_FLOAT_EQ(w.getReloadSpeed(), 0.45f);

    Weapon clamped(pistolStats);
    clamped.setAccuracy(-20000);
    clamped.setReloadSpeed(0.001f);
    clamped.addAffix({"SPD", "Stopped", 0, 0});
    clamped.applyAffixes();
    EXPECT_FLOAT_EQ(clamped.getAccuracy(), -10000);
    EXPECT_FLOAT_EQ(clamped.getReloadSpeed(), 0.01f);
    EXPECT_FLOAT_EQ(clamped.getSpeed(), 0.01f);

    Weapon perfect(pistolStats);
    perfect.setAccuracy(1.5f);
    perfect.applyAffixes();
    EXPECT_FLOAT_EQ(perfect.getAccuracy(), 1);
}

TEST(WeaponAffixes, AlternatedFiremodeTogglesAndTwoCancel) {
    const Affix alt{"ALT", "of Alternated Firemode", 1.5f, 16};
    EXPECT_FALSE(withAffix(pistolStats, alt).isSemiAuto());
    EXPECT_TRUE(withAffix(smgStats, alt).isSemiAuto());
    Weapon twice(pistolStats);
    twice.addAffix(alt);
    twice.addAffix(alt);
    twice.applyAffixes();
    EXPECT_TRUE(twice.isSemiAuto());
    EXPECT_FLOAT_EQ(twice.getRarity(), 32);
}

TEST(BombAffixes, FuseThrowAndFrictionScaleAndTheRestGoThroughTheWeaponPass) {
    Bomb b(grenadeStats);
    b.addAffix({"FUS", "Short Fused", 0.5f, 32});
    b.addAffix({"THR", "of Strong Hand", 1.3f, 30});
    b.addAffix({"FRI", "of Drag", 1.3f, -6});
    b.addAffix({"EXR", "Huge", 1.7f, 50});
    b.addAffix({"POW", "High Explosive", 1.6f, 60});
    b.addAffix({"CLP", "Bandolier of", 1.3f, 50});
    b.applyAffixes();
    EXPECT_FLOAT_EQ(b.getFuse(), 1.5f);
    EXPECT_FLOAT_EQ(b.getThrowingSpeed(), 1300);
    EXPECT_FLOAT_EQ(b.getFriction(), 1.4f * 1.3f);
    EXPECT_FLOAT_EQ(b.getExplosionRadius(), 510);
    EXPECT_FLOAT_EQ(b.getPower(), 240);
    EXPECT_FLOAT_EQ(b.getMaxAmmo(), 7); // floor((3 + 2.6) * 1.3)
    EXPECT_FLOAT_EQ(b.getRarity(), 32 + 30 - 6 + 50 + 60 + 50);
    EXPECT_EQ(b.getName(), "Bandolier of High Explosive Huge Short Fused Grenade of Strong Hand of Drag");
    EXPECT_EQ(b.getType(), "bombbb");
}

TEST(BombAffixes, ABombIsAnExplosiveWithoutRange) {
    Bomb b(grenadeStats);
    EXPECT_TRUE(b.isExplosive());
    EXPECT_FALSE(b.isPenetrating());
    EXPECT_FLOAT_EQ(b.getRange(), 0);
    EXPECT_FLOAT_EQ(b.getShotCount(), 1);
    EXPECT_FLOAT_EQ(b.getExplosionRadius(), 300);
    EXPECT_FLOAT_EQ(b.getReloadTimer().remaining, -0.1f);
    EXPECT_EQ(Weapon(pistolStats).getType(), "weapon");
    EXPECT_FLOAT_EQ(Weapon(pistolStats).getExplosionRadius(), 0);
}

} // namespace
