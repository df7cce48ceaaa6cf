#include "items/WeaponInfo.h"
#include "items/Bomb.h"
#include "items/RarityColour.h"
#include "items/Weapon.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

WeaponStats gun(const char* name, float power, float shots, float speed, float reload, float magazine) {
    WeaponStats stats;
    stats.basename = name;
    stats.power = power;
    stats.shotCount = shots;
    stats.speed = speed;
    stats.reloadSpeed = reload;
    stats.magazine = magazine;
    stats.range = 800;
    return stats;
}

TEST(WeaponDps, IsOneMagazinesDamageOverTheTimeToEmptyAndReloadIt) {
    // 15 rounds of 19: 14 gaps of 1/8 s, then a reload of 1/0.45 s.
    EXPECT_EQ(weaponDps(Weapon(gun("9mm pistol", 19, 1, 8, 0.45f, 15))), 71);
    // Shots multiply: a shotgun blast of 14 pellets of 9, 6 shells, 1 per second, 5 s reload.
    EXPECT_EQ(weaponDps(Weapon(gun("PumpAction Shotgun", 9, 14, 1, 0.2f, 6))), 75);
}

TEST(WeaponDps, AOneRoundMagazineIsAllReload) {
    // The time between rounds vanishes: power x shots x reload speed.
    EXPECT_EQ(weaponDps(Weapon(gun("Rail Gun", 135, 1, 0.3f, 0.19f, 1))), 25);
    EXPECT_EQ(weaponDps(Weapon(gun("Supershotgun", 8, 32, 1, 0.35f, 1))), 89);
}

TEST(WeaponDps, StatsWithoutAFiringCycleGiveZeroNotGarbage) {
    EXPECT_EQ(weaponDps(Weapon(gun("empty", 50, 1, 2, 0.5f, 0))), 0);
    EXPECT_EQ(weaponDps(Weapon(gun("jammed", 50, 1, 2, 0, 10))), 0);
    EXPECT_EQ(weaponDps(Weapon(gun("absurd", 1e30f, 1000, 1000, 1000, 1000))), INT_MAX);
}

TEST(WeaponPanel, HeldValuesAreComparedWithTheChoice) {
    Weapon choice(gun("Choice gun", 20, 1, 8, 0.5f, 10));
    Weapon left(gun("Left gun", 30, 1, 8, 0.5f, 10));
    Weapon right(gun("Right gun", 10, 1, 8, 0.5f, 10));
    WeaponInfo info = weaponInfo(choice, &left, &right);

    ASSERT_GE(info.rows.size(), 14u);
    const char* labels[] = {"Name:",     "DPS: ",        "Damage:",       "Range:",       "Rate of Fire:",
                            "Accuracy:", "Stability:",   "Reload Speed:", "Clip Size:",   "Shots:",
                            "Firemode:", "Penetrating:", "Explosive:",    "Expl. Radius:"};
    ASSERT_EQ(info.rows.size(), std::size(labels)) << "no fuse row for a gun";
    for (std::size_t r = 0; r < info.rows.size(); ++r)
        EXPECT_EQ(info.rows[r].label, labels[r]);

    EXPECT_EQ(info.rows[0].cells[1], "Left gun");
    const WeaponInfoRow& damage = info.rows[2];
    EXPECT_EQ(damage.cells[0], "20");
    EXPECT_EQ(damage.comparison[0], 0) << "the choice itself is not coloured";
    EXPECT_EQ(damage.comparison[1], 1) << "the left gun hits harder";
    EXPECT_EQ(damage.comparison[2], -1);
    EXPECT_EQ(info.rows[4].comparison[1], 0) << "equal rates of fire stay white";
    EXPECT_EQ(info.rows[7].cells[0], "0.5s");
    EXPECT_EQ(info.rows[10].cells[0], "Semi");
    EXPECT_EQ(info.rows[11].cells[0], "") << "a plain gun does not penetrate";
}

TEST(WeaponPanel, ABombAddsItsFuseAndAnEmptyHandShowsNothing) {
    BombStats stats;
    stats.basename = "Grenade";
    stats.power = 150;
    stats.magazine = 3;
    stats.fuse = 3;
    stats.explosionRadius = 300;
    Bomb bomb(stats);
    Weapon left(gun("Left gun", 30, 1, 8, 0.5f, 10));
    WeaponInfo info = weaponInfo(bomb, &left, nullptr);

    const WeaponInfoRow& fuse = info.rows.back();
    EXPECT_EQ(fuse.label, "Fuse:");
    EXPECT_EQ(fuse.cells[0], "3s");
    EXPECT_EQ(fuse.cells[1], "") << "a gun has no fuse to show";
    EXPECT_EQ(fuse.comparison[1], 0);
    for (const WeaponInfoRow& row : info.rows) {
        EXPECT_EQ(row.cells[2], "") << row.label;
        EXPECT_EQ(row.comparison[2], 0) << row.label;
    }
    EXPECT_EQ(info.rows[12].cells[0], "Yes") << "bombs explode";
    EXPECT_EQ(info.rows[12].comparison[1], -1) << "the gun lacks what the bomb has";
}

TEST(RarityColour, NamesChangeColourAtEachBand) {
    const sf::Color grey(200, 195, 195), purple(160, 32, 240), orange(210, 105, 30);
    EXPECT_EQ(rarityColour(-0.01f), grey);
    EXPECT_EQ(rarityColour(-50), grey);
    EXPECT_EQ(rarityColour(0), sf::Color::White);
    EXPECT_EQ(rarityColour(45.99f), sf::Color::White);
    EXPECT_EQ(rarityColour(46), sf::Color::Green);
    EXPECT_EQ(rarityColour(99.99f), sf::Color::Green);
    EXPECT_EQ(rarityColour(100), sf::Color::Blue);
    EXPECT_EQ(rarityColour(149.99f), sf::Color::Blue);
    EXPECT_EQ(rarityColour(150), purple);
    EXPECT_EQ(rarityColour(199.99f), purple);
    EXPECT_EQ(rarityColour(200), orange);
    EXPECT_EQ(rarityColour(1e9f), orange);
}

} // namespace
