#include "items/ArmorInfo.h"
#include "items/Armor.h"

#include <gtest/gtest.h>

namespace {

TEST(ArmourPanel, ShowsEachStatComparedWithTheWornArmour) {
    Armor worn("Kevlar vest", 4, 8, 0.8f, 20);
    Armor loot("Platemail", 8, 0, 0.6f, 20);
    ArmorInfo info = armourInfo(loot, &worn);
    EXPECT_EQ(info.status, "Choice");
    ASSERT_EQ(info.rows.size(), 4u);
    EXPECT_EQ(info.rows[0].label, "Name:");
    EXPECT_EQ(info.rows[0].text, "Platemail");
    EXPECT_EQ(info.rows[1].label, "Armor:");
    EXPECT_EQ(info.rows[1].text, "8");
    EXPECT_EQ(info.rows[1].comparison, 1);
    EXPECT_EQ(info.rows[2].label, "Weight:");
    EXPECT_EQ(info.rows[2].text, "0.6 kg");
    EXPECT_EQ(info.rows[2].comparison, -1);
    EXPECT_EQ(info.rows[3].label, "Bonus HP: ");
    EXPECT_EQ(info.rows[3].text, "20");
    EXPECT_EQ(info.rows[3].comparison, 0);

    ArmorInfo own = armourInfo(worn, &worn);
    EXPECT_EQ(own.status, "Equipped");
    ArmorInfo bare = armourInfo(loot, nullptr);
    for (const InfoRow& row : bare.rows)
        EXPECT_EQ(row.comparison, 0);
}

TEST(ArmourPanel, StatsShowAtMostTwoDecimals) {
    EXPECT_EQ(formatStat(4), "4");
    EXPECT_EQ(formatStat(0.8f), "0.8");
    EXPECT_EQ(formatStat(12.666f), "12.67");
    EXPECT_EQ(formatStat(-0.001f), "0");
    EXPECT_EQ(formatStat(1e30f).empty(), false);
}

} // namespace
