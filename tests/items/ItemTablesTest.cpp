#include "items/AffixTables.h"
#include "items/ItemDatabase.h"
#include "support/BaseTypes.h"

#include <gtest/gtest.h>

namespace {

// Every template, field by field, against the design tables: a template is a
// complete, unrolled item named after its base type and drawn from its own
// row of the weapon sheet.
TEST(ItemTables, EveryTemplateMatchesItsDesignRow) {
    buildItemDatabase();
    buildItemDatabase(); // building again replaces the lists
    ASSERT_EQ(weaponTemplates.size(), design::weapons.size());
    for (std::size_t i = 0; i < design::weapons.size(); ++i) {
        const WeaponStats& want = design::weapons[i];
        const Weapon& got = weaponTemplates[i];
        SCOPED_TRACE(want.basename);
        EXPECT_EQ(got.getBasename(), want.basename);
        EXPECT_EQ(got.getName(), want.basename);
        EXPECT_FLOAT_EQ(got.getAccuracy(), want.accuracy);
        EXPECT_FLOAT_EQ(got.getStability(), want.stability);
        EXPECT_FLOAT_EQ(got.getShotCount(), want.shotCount);
        EXPECT_FLOAT_EQ(got.getPower(), want.power);
        EXPECT_EQ(got.isSemiAuto(), want.semiAuto);
        EXPECT_FLOAT_EQ(got.getSpeed(), want.speed);
        EXPECT_FLOAT_EQ(got.getRange(), want.range);
        EXPECT_FLOAT_EQ(got.getReloadSpeed(), want.reloadSpeed);
        EXPECT_FLOAT_EQ(got.getMaxAmmo(), want.magazine);
        EXPECT_FLOAT_EQ(got.getAmmo(), want.magazine);
        EXPECT_EQ(got.isPenetrating(), want.penetrating);
        EXPECT_EQ(got.isExplosive(), want.explosive);
        EXPECT_EQ(got.isMelee(), want.melee);
        EXPECT_EQ(got.getGfx(), want.spriteRow);
        EXPECT_EQ(got.getSprite().getTextureRect().top, 64 * want.spriteRow);
        EXPECT_FLOAT_EQ(got.getRarity(), 0);
    }
    ASSERT_EQ(bombTemplates.size(), design::bombs.size());
    for (std::size_t i = 0; i < design::bombs.size(); ++i) {
        const BombStats& want = design::bombs[i];
        const Bomb& got = bombTemplates[i];
        SCOPED_TRACE(want.basename);
        EXPECT_EQ(got.getBasename(), want.basename);
        EXPECT_FLOAT_EQ(got.getAccuracy(), want.accuracy);
        EXPECT_FLOAT_EQ(got.getStability(), want.stability);
        EXPECT_FLOAT_EQ(got.getPower(), want.power);
        EXPECT_FLOAT_EQ(got.getSpeed(), want.speed);
        EXPECT_FLOAT_EQ(got.getReloadSpeed(), want.reloadSpeed);
        EXPECT_FLOAT_EQ(got.getMaxAmmo(), want.magazine);
        EXPECT_FLOAT_EQ(got.getExplosionRadius(), want.explosionRadius);
        EXPECT_FLOAT_EQ(got.getThrowingSpeed(), want.throwingSpeed);
        EXPECT_FLOAT_EQ(got.getFuse(), want.fuse);
        EXPECT_FLOAT_EQ(got.getFriction(), want.friction);
        EXPECT_EQ(got.getGfx(), want.spriteRow);
        EXPECT_FLOAT_EQ(got.getRarity(), 0);
    }
    ASSERT_EQ(armourTemplates.size(), design::armours.size());
    for (std::size_t i = 0; i < design::armours.size(); ++i) {
        const design::ArmourRow& want = design::armours[i];
        const Armor& got = armourTemplates[i];
        SCOPED_TRACE(want.name);
        EXPECT_EQ(got.getBasename(), want.name);
        EXPECT_EQ(got.getName(), want.name);
        EXPECT_FLOAT_EQ(got.getPower(), want.rating);
        EXPECT_FLOAT_EQ(got.getStability(), want.stability);
        EXPECT_FLOAT_EQ(got.getSpeed(), want.movement);
        EXPECT_FLOAT_EQ(got.getBonusHP(), want.bonusHP);
        EXPECT_FLOAT_EQ(got.getRarity(), 0);
    }
}

void expectRows(const std::vector<Affix>& got, const std::vector<Affix>& want) {
    ASSERT_EQ(got.size(), want.size());
    for (std::size_t i = 0; i < want.size(); ++i) {
        SCOPED_TRACE(want[i].name);
        EXPECT_EQ(got[i].code, want[i].code);
        EXPECT_EQ(got[i].name, want[i].name);
        EXPECT_FLOAT_EQ(got[i].value, want[i].value);
        EXPECT_FLOAT_EQ(got[i].points, want[i].points);
    }
}

// The order counts too: the generator rolls the rows in it.
TEST(ItemTables, EveryAffixRowMatchesItsDesignRowInOrder) {
    buildAffixTables();
    buildAffixTables();
    expectRows(weaponAffixes, design::weaponAffixRows);
    expectRows(armourAffixes, design::armourAffixRows);
    expectRows(bombAffixes, design::bombAffixRows);
}

} // namespace
