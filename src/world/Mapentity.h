#pragma once
// Base of every actor and prop placed on a map. The map owns its entities
// and deletes them through this virtual destructor; an entity never deletes
// itself, it only raises its dead flag.

#include <SFML/System/Vector2.hpp>

class Mapentity {
public:
    virtual ~Mapentity() = default;

    sf::Vector2f position; // world pixels, the entity's centre
    float radius = 0;      // hit radius in pixels
};
