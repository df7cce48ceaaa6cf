#pragma once
// The base types every item is copied from: 16 guns and melee weapons, 3
// bombs and 5 armours. Built once and kept for the whole process; templates
// are never handed out themselves, only copied. The save reader reads a
// saved item into a copy of the first template of its list.

#include "items/Armor.h"
#include "items/Bomb.h"
#include "items/Weapon.h"

#include <vector>

extern std::vector<Weapon> weaponTemplates;
extern std::vector<Bomb> bombTemplates;
extern std::vector<Armor> armourTemplates;

// Fills the three template lists (replacing whatever they held).
void buildItemDatabase();
