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

} // namespace
