#pragma once
// The item base types and affix rows as the design tables list them, typed
// out apart from the game's own database: tests take their weapons from
// here, and the database is checked row by row against it, so a typo on
// either side shows instead of silently changing the balance.

#include "items/Affix.h"
#include "items/Bomb.h"
#include "items/Weapon.h"

#include <memory>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace design {

inline std::vector<Affix> affixRows(const std::string& text) {
    std::vector<Affix> rows;
    std::istringstream in(text);
    for (std::string row; std::getline(in >> std::ws, row, ';');) {
        std::istringstream fields(row);
        Affix a;
        std::string value, points;
        std::getline(fields, a.code, ',');
        std::getline(fields, a.name, ',');
        std::getline(fields, value, ',');
        std::getline(fields, points);
        a.value = std::stof(value);
        a.points = std::stof(points);
        rows.push_back(a);
    }
    return rows;
}

// name, accuracy, stability, shots, power, semi-automatic, speed, range,
// reload speed, magazine, penetrating, explosive, melee, sprite row
inline const std::vector<WeaponStats> weapons = {
    {"PumpAction Shotgun", -1.5f, 1, 14, 9, true, 1, 650, 0.2f, 6, false, false, false, 2},
    {"Jackhammer", -2, 0.8f, 9, 8, false, 3, 550, 0.25f, 12, false, false, false, 2},
    {"Supershotgun", -3, 1, 32, 8, true, 1, 600, 0.35f, 1, false, false, false, 2},
    {"9mm pistol", 0.85f, 1.1f, 1, 19, true, 8, 850, 0.45f, 15, false, false, false, 1},
    {".44 Magnum", 0.9f, 0.6f, 1, 35, true, 3, 1000, 0.25f, 6, false, false, false, 0},
    {"SMG", 0.7f, 1.8f, 1, 16, false, 15, 800, 0.25f, 30, false, false, false, 1},
    {"Flintlock Pistol", -1, 0.7f, 1, 40, true, 1, 700, 0.14f, 1, false, false, false, 0},
    {"Hunting Rifle", 0.95f, 0.4f, 1, 65, true, 0.5f, 2500, 0.15f, 4, false, false, false, 3},
    {"Assault Rifle", 0.9f, 1.8f, 1, 24, false, 8, 1250, 0.2f, 30, false, false, false, 6},
    {"Machine Gun", 0.85f, 1.6f, 1, 16, false, 10, 1500, 0.1f, 100, false, false, false, 6},
    {"Musket", -0.8f, 0.9f, 1, 50, true, 1, 1400, 0.12f, 1, false, false, false, 4},
    {"Knife", -2.4f, 5, 12, 6, false, 4, 65, 1.4f, 2, false, false, true, 7},
    {"Fire Axe", -5.5f, 5, 15, 9, false, 2, 95, 0.8f, 3, false, false, true, 8},
    {"Katana", -7, 5, 21, 12, false, 1, 125, 0.55f, 2, false, false, true, 9},
    {"Chainsaw", 1, 999, 1, 4, false, 60, 100, 0.4f, 150, false, false, true, 11},
    {"Rail Gun", 0.95f, 0.5f, 1, 135, true, 0.3f, 2000, 0.19f, 1, true, false, false, 10}};

// name, accuracy, stability, power, speed, reload speed, magazine,
// explosion radius, throwing speed, fuse, friction, sprite row
inline const std::vector<BombStats> bombs = {
    {"Grenade", -1, 1.2f, 150, 0.6f, 0.15f, 3, 300, 1000, 3, 1.4f, 5},
    {"Bomb", 0.99f, 1, 300, 1, 0.15f, 1, 750, 100, 5, 2, 12},
    {"Nuke", 0.99f, 1, 550, 1, 0.07f, 1, 1600, 0, 10, 4, 12}};

struct ArmourRow {
    std::string name;
    float rating, stability, movement, bonusHP;
};
inline const std::vector<ArmourRow> armours = {{"Kevlar vest", 4, 8, 0.8f, 20},
                                               {"Lucky talisman", 2, 1, 0.9f, 70},
                                               {"Bomb-proof suit", 10, 16, 0.5f, 50},
                                               {"Fabulous t-shirt", 0, 1, 1, 90},
                                               {"Platemail", 8, 0, 0.6f, 60}};

// code, name, value, points; rows end in ";", in the order the generator visits them
inline const std::vector<Affix> weaponAffixRows =
    affixRows("SPD,Sluggish,0.8,-4; SPD,Well-greased,1.3,16; SPD,Quick,1.6,28; SPD,Lightning-fast,2,42;"
              "ACC,Erratic,-0.8,-6; ACC,Accurate,1.3,16; ACC,Precise,1.8,28; ACC,Pinpoint,2,38;"
              "CLP,Spacious,1.4,26; CLP,Bottomless,1.8,38; SCN,Double,2,32; SCN,Triple,3,48;"
              "RNG,Short Range,0.5,-6; RNG,Far-Reaching,1.2,24; RNG,Intercontinental,1.8,42;"
              "EXP,Explosive,1,32; ETH,Ethereal,1,42; CON,Concussive,1,40; DEF,Plasma absorbing,1,30;"
              "ADR,Adrenaline coated,1,50; POI,Poisoned,1,40;"
              "POW,of Apocalypse,2,36; POW,Destructive,1.7,24; POW,Potent,1.3,16;"
              "STB,of Steadiness,0.3,18; STB,of Stability,0.5,26; STB,of Solid Aim,0.8,38;"
              "RLD,of Awkward Handling,0.7,-6; RLD,of Dexterity,1.5,24; RLD,of Swift Hand,2,32;"
              "ALT,of Alternated Firemode,1.5,16;");
inline const std::vector<Affix> armourAffixRows = affixRows(
    "SPD,of Great Weight,0.6,-6; SPD,Lightish,1.05,16; SPD,Featherweight,1.1,24; SPD,of Speedy Feet,1.2,32;"
    "STB,Skimpy,0.6,-6; STB,Ample,1.5,16; STB,Full-body,2,24; STB,Airtight,3,32;"
    "HP+,Withering,0.6,-9; HP+,Nourishing,1.3,18; HP+,Strengthening,2,32;"
    "POW,Broken,0.5,-6; POW,of Steel,1.4,20; POW,Impervious,1.8,32; POW,of God-Like Quality,2.5,48;");
inline const std::vector<Affix> bombAffixRows = affixRows(
    "POW,Fine Grain,1.3,42; POW,High Explosive,1.6,60; POW,Poor Quality,0.7,-6;"
    "FUS,Short Fused,0.5,32; FUS,Long Fused,1.3,32; EXR,Concentrated,0.5,-6; EXR,Wide,1.4,36; "
    "EXR,Huge,1.7,50;"
    "CLP,Bandolier of,1.3,50; THR,of Great Grip,1.6,57; THR,of Strong Hand,1.3,30; THR,of Weak Hand,0.7,-6;"
    "FRI,of Self-Propelled,1.6,50; FRI,of Aerodynamics,0.8,30; FRI,of Drag,1.3,-6;");

template <typename Stats> const Stats& byName(const std::vector<Stats>& rows, const std::string& name) {
    for (const Stats& row : rows)
        if (row.basename == name)
            return row;
    throw std::invalid_argument("no base type " + name);
}
inline const WeaponStats& weapon(const std::string& name) {
    return byName(weapons, name);
}
inline const BombStats& bomb(const std::string& name) {
    return byName(bombs, name);
}

// A copy of the game's own template of a base type (ItemDatabase).
template <typename T>
std::unique_ptr<T> copyOf(const std::vector<T>& templates, const std::string& basename) {
    for (const T& t : templates)
        if (t.getBasename() == basename)
            return std::make_unique<T>(t);
    throw std::invalid_argument("no template " + basename);
}

} // namespace design
