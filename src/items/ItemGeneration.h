#pragma once
// Rolling new items: a random base type copied from the item database, a
// random set of affixes from the tables, scaled to the level it is found at.
// All draws go through rand() in a fixed order, so a seeded roll repeats.
// Generated items belong to the caller.

#include "items/Armor.h"
#include "items/Weapon.h"

#include <memory>

// A gun, melee weapon or bomb (every base type equally likely). Good affixes
// grow likely as the level approaches their points, bad ones grow rare.
std::unique_ptr<Weapon> generateWeapon(int level);
// An armour; its affix chances do not depend on the level.
std::unique_ptr<Armor> generateArmour(float level);

// The plain equipment a new run starts with: a "9mm pistol" for each hand
// and a "Kevlar vest", without affixes and without drawing random numbers.
std::unique_ptr<Weapon> defaultWeapon();
std::unique_ptr<Armor> defaultArmour();

// How many sides the die for one affix row has: the row is taken when
// randInt(0, k) comes up 1, and never when k is 0.
int affixRollSides(float points, float level, float pointsFloor);
