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
