#pragma once
// What the upgrade screen's weapon panel shows for a hovered loot weapon:
// one row per stat, with a cell for the hovered item ("Choice") and one for
// each held item ("Left", "Right"). Each held value is compared with the
// hovered one, so the screen can colour the player's own gear green where
// it is the larger and red where it is the smaller.

#include <string>
#include <vector>

class Item;

struct WeaponInfoRow {
    std::string label;
    std::string cells[3]; // Choice, Left, Right; empty for an empty hand
    int comparison[3] = {0, 0,
                         0}; // held cells: +1 larger than the choice's, -1 smaller, 0 equal or not compared
};

struct WeaponInfo {
    std::vector<WeaponInfoRow> rows;
};

// left and right may be null (an empty hand): their cells stay empty. A
// "Fuse:" row is added when the choice is a bomb.
WeaponInfo weaponInfo(const Item& choice, const Item* left, const Item* right);

// Damage per second over a whole magazine cycle: the damage of one magazine
// over the time to empty it and reload, truncated. Stats that make no cycle
// (an empty magazine, no reload) give 0.
int weaponDps(const Item& weapon);
