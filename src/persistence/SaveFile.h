#pragma once
// The text format of a save file, reader and writer side by side. A save is
// a key line followed by its value line(s): the run's counters, the player's
// state and one block per item the player holds. The reader is tolerant: it
// looks for its keys wherever they stand, skips every line it does not know,
// reads an unparsable number as 0, and leaves out whatever it cannot read
// (a missing value at the end of the file, a value that is not a finite
// number), so a damaged file loads what it still holds.

#include "core/SeedCode.h"
#include "items/Item.h"

#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class Player;

// What a save file held. A value the file did not hold stays empty, and
// loading then leaves the game's own value unchanged.
struct SaveData {
    std::optional<bool> hardcore;
    std::optional<int> difficulty; // the level the save was written after, 1 to highestLevel
    std::optional<float> armour;
    std::optional<float> maxStamina;
    std::optional<float> stamina;
    std::optional<float> positionX;
    std::optional<float> positionY;
    std::optional<float> hitRadius;
    std::optional<int> grapple;
    std::optional<int> health;
    std::optional<int> staminaStat;
    std::optional<int> weaponHandle;
    std::optional<int> level;
    std::optional<int> xp;
    std::optional<int> xpNeeded;
    std::optional<int> statpoints;
    std::optional<int> totalScore;
    std::optional<int> upgradePoints;
    // A seeded run's seed: its levels keep coming from it after a load.
    std::optional<Seed> seed;
    // Every item block of a known type, in file order.
    std::vector<std::unique_ptr<Item>> items;
    // Whether any key of the format was found; a file without one is no save.
    bool recognised = false;
};

// No run gets near this level; it keeps a damaged file from asking for a map
// too large for memory or a level number that overflows.
constexpr int highestLevel = 250;

// Writes hardcoreMode, levelNumber, totalScore, upgradePoints and the
// player's state and items in the save layout, and a seeded run's seed on a
// line of its own after them.
void writeSave(std::ostream& out, const Player& player);

// Reads a save. Items are read into copies of the first weapon, bomb or
// armour template, which must exist (the player's construction builds them).
SaveData readSave(std::istream& in);

// Puts what a save held into the globals and the player. The player's items
// go to their slots by kind: the first two weapons or bombs to the left and
// right hands, the first armour to the armour slot; a slot the save fills
// with nothing keeps its item, so the player always holds three.
void applySave(SaveData& save, Player& player);
