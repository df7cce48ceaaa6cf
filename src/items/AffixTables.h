#pragma once
// The affixes an item can roll, one table per kind of item, in the order the
// generator visits them. Built once at start-up and read-only afterwards.

#include "items/Affix.h"

#include <vector>

extern std::vector<Affix> weaponAffixes; // guns and melee weapons
extern std::vector<Affix> armourAffixes;
extern std::vector<Affix> bombAffixes;

// Fills the three tables (replacing whatever they held).
void buildAffixTables();
