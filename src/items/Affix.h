#pragma once
// One row of an affix table: a three-letter stat code, the words it adds to
// an item's name, the number it applies to the stat and the rarity points it
// is worth. Items copy the rows they roll into their pending list.

#include <string>

struct Affix {
    std::string code; // e.g. "POW"; compared whole
    std::string name; // "Potent" goes in front of the name, "of Stability" after it
    float value = 0;  // a factor or an addend, per code; some codes ignore it
    float points = 0; // added to the item's rarity; negative for bad affixes
};
