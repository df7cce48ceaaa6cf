#include "items/ItemGeneration.h"
#include "items/AffixTables.h"
#include "items/ItemDatabase.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

class Generation : public ::testing::Test {
  protected:
    void SetUp() override {
        buildItemDatabase();
        buildAffixTables();
    }
    static const Weapon* weaponTemplate(const std::string& basename) {
        for (const Weapon& w : weaponTemplates)
            if (w.getBasename() == basename)
                return &w;
        return nullptr;
    }
    static bool named(const Item& item, const std::string& words) {
        return item.getName().find(words) != std::string::npos;
    }
};

TEST_F(Generation, DatabaseHoldsEveryBaseTypeOnItsSpriteRow) {
    ASSERT_EQ(weaponTemplates.size(), 16u);
    ASSERT_EQ(bombTemplates.size(), 3u);
    ASSERT_EQ(armourTemplates.size(), 5u);
    // The rows of the weapon sheet: 0 revolver, 1 pistol, 2 shotgun, 3 scoped
    // rifle, 4 musket, 5 grenade, 6 assault rifle, 7 knife, 8 axe, 9 katana,
    // 10 rail gun, 11 chainsaw, 12 charge.
    const std::pair<const char*, int> rows[] = {{"PumpAction Shotgun", 2},
                                                {"Jackhammer", 2},
                                                {"Supershotgun", 2},
                                                {"9mm pistol", 1},
                                                {".44 Magnum", 0},
                                                {"SMG", 1},
                                                {"Flintlock Pistol", 0},
                                                {"Hunting Rifle", 3},
                                                {"Assault Rifle", 6},
                                                {"Machine Gun", 6},
                                                {"Musket", 4},
                                                {"Knife", 7},
                                                {"Fire Axe", 8},
                                                {"Katana", 9},
                                                {"Chainsaw", 11},
                                                {"Rail Gun", 10},
                                                {"Grenade", 5},
                                                {"Bomb", 12},
                                                {"Nuke", 12}};
    for (std::size_t i = 0; i < 19; ++i) {
        const Weapon& w = i < 16 ? weaponTemplates[i] : bombTemplates[i - 16];
        EXPECT_EQ(w.getBasename(), rows[i].first);
        EXPECT_EQ(w.getName(), rows[i].first);
        EXPECT_EQ(w.getGfx(), rows[i].second) << rows[i].first;
        EXPECT_EQ(w.getSprite().getTextureRect().top, 64 * rows[i].second);
        EXPECT_FLOAT_EQ(w.getRarity(), 0);
        EXPECT_FLOAT_EQ(w.getAmmo(), w.getMaxAmmo());
    }
    EXPECT_TRUE(weaponTemplate("Rail Gun")->isPenetrating());
    EXPECT_TRUE(weaponTemplate("Katana")->isMelee());
    EXPECT_FALSE(weaponTemplate("SMG")->isSemiAuto());
    EXPECT_FLOAT_EQ(bombTemplates[2].getFuse(), 10);
    EXPECT_EQ(armourTemplates[3].getBasename(), "Fabulous t-shirt");
    EXPECT_FLOAT_EQ(armourTemplates[3].getBonusHP(), 90);
    EXPECT_FLOAT_EQ(armourTemplates[4].getSpeed(), 0.6f);

    // Building again replaces the lists instead of doubling them.
    buildItemDatabase();
    EXPECT_EQ(weaponTemplates.size(), 16u);
}

TEST_F(Generation, RebuildingTheAffixTablesReplacesTheirRows) {
    buildAffixTables();
    EXPECT_EQ(weaponAffixes.size(), 31u);
    EXPECT_EQ(armourAffixes.size(), 15u);
    EXPECT_EQ(bombAffixes.size(), 15u);
}

TEST_F(Generation, RollSidesGrowWithTheGapBetweenPointsAndLevel) {
    EXPECT_EQ(affixRollSides(16, 20, 0), 1); // a good affix the level has passed: even odds
    EXPECT_EQ(affixRollSides(-6, 5, 0), 11); // a bad affix grows rarer with the level
    EXPECT_EQ(affixRollSides(50, 1, 0), 49);
    EXPECT_EQ(affixRollSides(0, 0, 0), 0); // never taken
    EXPECT_EQ(affixRollSides(1, 5, 1), 4); // bombs lift only rows above one point
    EXPECT_EQ(affixRollSides(30, 29.5f, 1), 1);
}

TEST_F(Generation, EachRowIsTakenOnceInKPlusOneRolls) {
    srand(1234);
    const int rolls = 20000;
    int lightish = 0, broken = 0;
    for (int i = 0; i < rolls; ++i) {
        auto armour = generateArmour(1.0f);
        lightish += named(*armour, "Lightish");
        broken += named(*armour, "Broken");
    }
    EXPECT_NEAR(lightish, rolls / 17.0, rolls / 17.0 * 0.12);
    EXPECT_NEAR(broken, rolls / 7.0, rolls / 7.0 * 0.08);

    int weapons = 0, greased = 0;
    for (int i = 0; i < 4000; ++i) {
        auto w = generateWeapon(20);
        if (w->getType() != "weapon")
            continue;
        ++weapons;
        greased += named(*w, "Well-greased");
    }
    EXPECT_NEAR(greased, weapons / 2.0, weapons * 0.04);
}

TEST_F(Generation, ASeededGeneratorRepeatsItsItems) {
    auto roll = [](unsigned seed) {
        srand(seed);
        std::vector<std::string> items;
        for (int i = 0; i < 30; ++i) {
            auto w = generateWeapon(i % 12);
            auto a = generateArmour(static_cast<float>(i % 7));
            items.push_back(w->getName() + "|" + std::to_string(w->getPower()) + "|" +
                            std::to_string(w->getSpeed()) + "|" + std::to_string(w->getRarity()) + "|" +
                            a->getName() + "|" + std::to_string(a->getPower()) + "|" +
                            std::to_string(a->getBonusHP()));
        }
        return items;
    };
    EXPECT_EQ(roll(99), roll(99));
    EXPECT_NE(roll(99), roll(100));
}

TEST_F(Generation, AdrenalineOnlyCoatsSemiAutomaticsWithoutSpeedAffixes) {
    srand(77);
    int coated = 0;
    for (int i = 0; i < 3000; ++i) {
        auto w = generateWeapon(60);
        if (!w->isAdrenaline())
            continue;
        ++coated;
        const Weapon* base = weaponTemplate(w->getBasename());
        ASSERT_NE(base, nullptr);
        EXPECT_TRUE(base->isSemiAuto()) << w->getName();
        for (const char* quick : {"Sluggish", "Well-greased", "Quick", "Lightning-fast"})
            EXPECT_FALSE(named(*w, quick)) << w->getName();
    }
    EXPECT_GT(coated, 20);
}

TEST_F(Generation, AGeneratedGrenadeIsNeverSemiAutomatic) {
    srand(5);
    int grenades = 0, alternated = 0;
    for (int i = 0; i < 3000; ++i) {
        auto w = generateWeapon(40);
        if (w->getBasename() != "Grenade")
            continue;
        ++grenades;
        EXPECT_FALSE(w->isSemiAuto()) << w->getName();
        EXPECT_EQ(w->getType(), "bombbb");
    }
    EXPECT_GT(grenades, 50);
    // Bombs never roll the weapons' firing-mode affix; a bomb keeps its single throws.
    srand(6);
    for (int i = 0; i < 500; ++i) {
        auto w = generateWeapon(40);
        alternated += named(*w, "of Alternated Firemode");
        if (w->getBasename() == "Bomb" || w->getBasename() == "Nuke") {
            EXPECT_TRUE(w->isSemiAuto());
        }
    }
    EXPECT_GT(alternated, 0);
}

TEST_F(Generation, ExplosiveGunsGetARadiusFromTheirPower) {
    srand(3);
    int explosiveGuns = 0;
    for (int i = 0; i < 3000; ++i) {
        auto w = generateWeapon(40);
        if (w->getType() != "weapon" || !w->isExplosive())
            continue;
        ++explosiveGuns;
        float p = w->getPower();
        EXPECT_FLOAT_EQ(w->getExplosionRadius(), p * 0.33333334f + std::sqrt(p) + 20);
    }
    EXPECT_GT(explosiveGuns, 20);
    EXPECT_NEAR(24 * 0.33333334f + std::sqrt(24.0f) + 20, 32.9f, 0.01f);
}

TEST_F(Generation, ANewRunStartsWithPlainPistolsAndAVestWithoutRolling) {
    srand(9);
    int next = rand();
    srand(9);
    auto left = defaultWeapon();
    auto right = defaultWeapon();
    auto armour = defaultArmour();
    EXPECT_EQ(rand(), next);
    EXPECT_EQ(left->getName(), "9mm pistol");
    EXPECT_EQ(right->getName(), "9mm pistol");
    EXPECT_FLOAT_EQ(left->getPower(), 19);
    EXPECT_FLOAT_EQ(left->getAmmo(), 15);
    EXPECT_EQ(armour->getName(), "Kevlar vest");
    EXPECT_FLOAT_EQ(armour->getBonusHP(), 20);
}

TEST_F(Generation, ScalingToLevelZeroDrawsNothingAndChangesNothing) {
    Weapon w = weaponTemplates[3];
    Bomb b = bombTemplates[0];
    Armor a = armourTemplates[0];
    srand(42);
    int next = rand();
    srand(42);
    w.scaleToLevel(0);
    b.scaleToLevel(0);
    a.scaleToLevel(0);
    EXPECT_EQ(rand(), next);
    EXPECT_FLOAT_EQ(w.getPower(), 19);
    EXPECT_FLOAT_EQ(w.getSpeed(), 8);
    EXPECT_FLOAT_EQ(w.getStability(), 1.1f);
    EXPECT_FLOAT_EQ(w.getReloadSpeed(), 0.45f);
    EXPECT_FLOAT_EQ(b.getExplosionRadius(), 300);
    EXPECT_FLOAT_EQ(b.getPower(), 150);
    EXPECT_FLOAT_EQ(a.getPower(), 4);
    EXPECT_FLOAT_EQ(a.getSpeed(), 0.8f);
}

TEST_F(Generation, ScalingClampsTheSpeedsButStrengthensFreely) {
    srand(8);
    for (int i = 0; i < 200; ++i) {
        Weapon w = weaponTemplates[static_cast<std::size_t>(i % 16)];
        w.scaleToLevel(500);
        const Weapon& base = weaponTemplates[static_cast<std::size_t>(i % 16)];
        EXPECT_LE(w.getSpeed(), 2 * base.getSpeed());
        EXPECT_LE(w.getReloadSpeed(), 2 * base.getReloadSpeed());
        EXPECT_GE(w.getPower(), base.getPower() * (1 + 250 * 0.16666667f) * 0.999f);
        Armor a = armourTemplates[static_cast<std::size_t>(i % 5)];
        a.scaleToLevel(500);
        EXPECT_LE(a.getSpeed(), 1.0f);
    }
    // A later affix may still lighten armour beyond the clamp.
    Armor shirt = armourTemplates[3];
    shirt.scaleToLevel(500);
    shirt.addAffix({"SPD", "of Speedy Feet", 1.2f, 32});
    shirt.applyAffixes();
    EXPECT_FLOAT_EQ(shirt.getSpeed(), 1.2f);
}

} // namespace
