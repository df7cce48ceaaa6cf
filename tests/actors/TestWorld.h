#pragma once
// Small worlds for the combat tests: an empty map made the current one (so
// entities moving on it see its walls), plain entities standing in for
// aliens and props, and solid wall tiles.

#include "world/Map.h"
#include "world/Mapentity.h"
#include "world/Maphandler.h"

#include <cstdlib>
#include <memory>

// A fresh empty 20 x 20 map, with the random generator seeded so each test replays.
inline Map& freshMap(unsigned seed) {
    std::srand(seed);
    Maphandler::getInstance()->setCurrentMap(std::make_unique<Map>(20, 20));
    return *Maphandler::getInstance()->currentMap();
}

// A plain entity: hit points, no armour.
inline Mapentity* addTarget(EntityList& list, sf::Vector2f at, float radius = 20, float hp = 100) {
    auto e = std::make_unique<Mapentity>();
    e->position = at;
    e->radius = radius;
    e->HP = e->MaxHP = hp;
    e->mass = 50;
    list.push_back(std::move(e));
    return list.back().get();
}

inline Tile& makeWall(Map& m, int x, int y, int hitPoints = 100, int armour = 0) {
    Tile& t = m.walls[static_cast<std::size_t>(x)][static_cast<std::size_t>(y)];
    t.kind = 1;
    t.hitPoints = hitPoints;
    t.armour = armour;
    return t;
}
