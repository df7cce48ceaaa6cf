#pragma once
// What the upgrade screen's armour panel shows for a selected armour: its
// status word and one row per stat, each number compared with the armour
// the player wears so the screen can colour it better or worse.

#include <string>
#include <vector>

class Item;

struct InfoRow {
    std::string label;  // "Name:", "Armor:", "Weight:", "Bonus HP: "
    std::string text;   // the value as shown
    int comparison = 0; // +1 larger than the worn armour's, -1 smaller, 0 equal or nothing to compare
};

struct ArmorInfo {
    std::string status; // "Equipped" for the worn armour itself, "Choice" for loot
    std::vector<InfoRow> rows;
};

// worn may be null (an empty armour slot): then nothing is compared.
ArmorInfo armourInfo(const Item& shown, const Item* worn);

// A stat as the panels print it: at most two decimals, no trailing zeros.
std::string formatStat(float value);
