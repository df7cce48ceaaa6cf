#include "items/Item.h"
#include "items/Armor.h"

#include <gtest/gtest.h>

namespace {

Item namedItem(const std::string& basename) {
    Item item;
    item.setBasename(basename);
    item.setName(basename);
    item.setPower(10);
    item.setSpeed(2);
    item.setStability(3);
    return item;
}

Armor kevlarVest() {
    return Armor("Kevlar vest", 4, 8, 0.8f, 20);
}

TEST(ItemModel, UpdateDrainsTheCooldownBySpeedPerSecond) {
    Item item = namedItem("Thing");
    item.update(0.25f, 0);
    EXPECT_FLOAT_EQ(item.getShotTimer().remaining, -0.5f);
    EXPECT_FLOAT_EQ(item.getShotTimer().previous, 0.0f);
}

TEST(ItemAffixes, WithoutAffixesTheNameAndRarityStay) {
    Item item = namedItem("Katana");
    item.applyAffixes();
    EXPECT_EQ(item.getName(), "Katana");
    EXPECT_EQ(item.getBasename(), "Katana");
    EXPECT_FLOAT_EQ(item.getRarity(), 0.0f);
}

TEST(ItemAffixes, PrefixesGoInFrontOfEverythingAndSuffixesAfter) {
    const Affix potent{"POW", "Potent", 1.3f, 16}, stable{"STB", "of Stability", 0.5f, 26};
    Item forward = namedItem("Katana"), reverse = namedItem("Katana");
    forward.addAffix(potent);
    forward.addAffix(stable);
    reverse.addAffix(stable);
    reverse.addAffix(potent);
    forward.applyAffixes();
    reverse.applyAffixes();
    EXPECT_EQ(forward.getName(), "Potent Katana of Stability");
    EXPECT_EQ(reverse.getName(), "Potent Katana of Stability");

    Item twoPrefixes = namedItem("Katana");
    twoPrefixes.addAffix({"SPD", "Quick", 1.6f, 28});
    twoPrefixes.addAffix({"ACC", "Accurate", 1.3f, 16});
    twoPrefixes.applyAffixes();
    EXPECT_EQ(twoPrefixes.getName(), "Accurate Quick Katana");
    EXPECT_EQ(twoPrefixes.getBasename(), "Katana");

    // Only a name starting with "of" is a suffix.
    Item grenade = namedItem("Grenade");
    grenade.addAffix({"CLP", "Bandolier of", 1.3f, 50});
    grenade.applyAffixes();
    EXPECT_EQ(grenade.getName(), "Bandolier of Grenade");
}

TEST(ItemAffixes, BasePassScalesItsOwnCodesAndCountsTheirPoints) {
    Item item = namedItem("Thing");
    item.addAffix({"POW", "Potent", 1.5f, 16});
    item.addAffix({"SPD", "Quick", 2, 28});
    item.addAffix({"STD", "Steady", 3, 5});
    item.addAffix({"RNG", "Far-Reaching", 1.2f, 24}); // not the base's: the name only
    item.applyAffixes();
    EXPECT_FLOAT_EQ(item.getPower(), 15);
    EXPECT_FLOAT_EQ(item.getSpeed(), 4);
    EXPECT_FLOAT_EQ(item.getStability(), 9);
    EXPECT_FLOAT_EQ(item.getRarity(), 16 + 28 + 5);
    EXPECT_EQ(item.getName(), "Far-Reaching Steady Quick Potent Thing");
    EXPECT_TRUE(item.pendingAffixes().empty());

    // A second application finds nothing pending.
    item.applyAffixes();
    EXPECT_FLOAT_EQ(item.getPower(), 15);
    EXPECT_EQ(item.getName(), "Far-Reaching Steady Quick Potent Thing");
}

TEST(ArmourAffixes, HealthAffixesScaleTheBonusAndOthersPassThrough) {
    Armor plain = kevlarVest();
    plain.applyAffixes();
    EXPECT_FLOAT_EQ(plain.getBonusHP(), 20);
    EXPECT_EQ(plain.getType(), "Armorr:");
    EXPECT_FALSE(plain.isSemiAuto());

    Armor withering = kevlarVest();
    withering.addAffix({"HP+", "Withering", 0.6f, -9});
    withering.applyAffixes();
    EXPECT_FLOAT_EQ(withering.getBonusHP(), 12);
    EXPECT_FLOAT_EQ(withering.getRarity(), -9);
    EXPECT_EQ(withering.getName(), "Withering Kevlar vest");

    Armor mixed = kevlarVest();
    mixed.addAffix({"POW", "of Steel", 1.4f, 20});
    mixed.addAffix({"SPD", "of Speedy Feet", 1.2f, 32});
    mixed.addAffix({"STB", "Airtight", 3, 32});
    mixed.applyAffixes();
    EXPECT_FLOAT_EQ(mixed.getPower(), 4 * 1.4f);
    EXPECT_FLOAT_EQ(mixed.getSpeed(), 0.8f * 1.2f);
    EXPECT_FLOAT_EQ(mixed.getStability(), 24);
    EXPECT_FLOAT_EQ(mixed.getRarity(), 20 + 32 + 32);
    EXPECT_EQ(mixed.getName(), "Airtight Kevlar vest of Steel of Speedy Feet");
}

} // namespace
