#include "items/ItemDatabase.h"

std::vector<Weapon> weaponTemplates;
std::vector<Bomb> bombTemplates;
std::vector<Armor> armourTemplates;

void buildItemDatabase() {
    // name, accuracy, stability, shots, power, semi-automatic, speed, range,
    // reload speed, magazine, penetrating, explosive, melee, sprite row
    const WeaponStats weapons[] = {
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
        {"Rail Gun", 0.95f, 0.5f, 1, 135, true, 0.3f, 2000, 0.19f, 1, true, false, false, 10},
    };
    // name, accuracy, stability, power, speed, reload speed, magazine,
    // explosion radius, throwing speed, fuse, friction, sprite row
    const BombStats bombs[] = {
        {"Grenade", -1, 1.2f, 150, 0.6f, 0.15f, 3, 300, 1000, 3, 1.4f, 5},
        {"Bomb", 0.99f, 1, 300, 1, 0.15f, 1, 750, 100, 5, 2, 12},
        {"Nuke", 0.99f, 1, 550, 1, 0.07f, 1, 1600, 0, 10, 4, 12},
    };
    weaponTemplates.clear();
    bombTemplates.clear();
    armourTemplates.clear();
    for (const WeaponStats& stats : weapons)
        weaponTemplates.emplace_back(stats);
    for (const BombStats& stats : bombs)
        bombTemplates.emplace_back(stats);
    // name, armour rating, stability, movement factor, bonus hit points
    armourTemplates.emplace_back("Kevlar vest", 4, 8, 0.8f, 20);
    armourTemplates.emplace_back("Lucky talisman", 2, 1, 0.9f, 70);
    armourTemplates.emplace_back("Bomb-proof suit", 10, 16, 0.5f, 50);
    armourTemplates.emplace_back("Fabulous t-shirt", 0, 1, 1, 90);
    armourTemplates.emplace_back("Platemail", 8, 0, 0.6f, 60);
}
