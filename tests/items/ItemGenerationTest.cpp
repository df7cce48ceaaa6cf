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
        EXPECT_GT(w.getPower(), base.getPower());
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
