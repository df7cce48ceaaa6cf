#include "items/Bomb.h"
#include "items/Weapon.h"
#include "support/BaseTypes.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

const WeaponStats& pistolStats = design::weapon("9mm pistol");
const WeaponStats& smgStats = design::weapon("SMG");
const BombStats& grenadeStats = design::bomb("Grenade");

Weapon withAffix(const WeaponStats& stats, const Affix& affix) {
    Weapon weapon(stats);
    weapon.addAffix(affix);
    weapon.applyAffixes();
    return weapon;
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
