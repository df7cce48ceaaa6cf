#pragma once
// The weapon and bomb base types as the design tables list them, typed out
// apart from the game's own database: tests take their weapons from here,
// so that a change to the game's tables does not change what a test fires.

#include "items/Bomb.h"
#include "items/Weapon.h"

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace design {

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
