#pragma once
// One instant shot of the player's weapons: a value record the weapon
// appends to the current map's shot list and the next world update resolves
// along its segment, from origin to origin + (cos angle, sin angle) * range.

#include "world/HitSource.h"

#include <SFML/Graphics/Color.hpp>
#include <SFML/Graphics/Rect.hpp>
#include <SFML/System/Vector2.hpp>

struct Shot {
    float angle = 0; // direction in radians
    float damage = 0;
    float explosionRadius = 0; // handed to the explosion request when explosive
    float range = 0;           // segment length in pixels
    bool explosive = false;
    bool noTracer = false; // melee: no tracer, and the first alternative death burst
    bool absorbsProjectiles = false;
    bool concussive = false; // stops, confuses and slows an enemy it hits
    bool adrenaline = false; // makes an enemy it hits berserk
    bool poisoned = false;
    sf::Vector2f origin;
    // How its tracer looks: thickness from the shot's power, and the weapon's shot colour.
    int tracerSize = 0;
    sf::Color tracerColor = sf::Color::White;
    // The tiles the segment may touch (left, top column/row and size in tiles), so
    // resolution only looks at those walls.
    sf::IntRect tileWindow;
    HitSource source{}; // the weapon that fired it
};
