#pragma once
// A prop placed by map generation: chairs, tables, crates, bins and barrels.
// Most can be pushed around; heavy pieces stand still, and barrels explode
// when destroyed. Owned by the map's furniture list.

#include "world/Mapentity.h"

#include <SFML/Graphics/Rect.hpp>

class Furniture : public Mapentity {
  public:
    // rect: the piece's 64 x 64 cell on the tile sheet, in pixels.
    Furniture(sf::Vector2f tilePosition, bool immovable, sf::IntRect rect);

    void takeDamage(float amount, sf::Vector2f from) override;
    void takeHit(float amount, sf::Vector2f from, const HitSource& source) override;

    // Who dealt the hit that broke it: a barrel's blast is theirs.
    HitSource brokenBy{};
    bool explosive = false; // one ordinary shot kills it, and it explodes when destroyed
    bool noDrop = false;    // leaves no pickup
};
