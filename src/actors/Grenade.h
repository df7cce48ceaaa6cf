#pragma once
// A thrown explosive on the map: it rolls from the throwing hand, slows down
// and explodes when its fuse runs out, showing the seconds left above it.
// The map owns it in its grenade list and deletes it once it has exploded.

#include "core/Timer.h"
#include "world/Mapentity.h"

#include <SFML/Graphics/Text.hpp>

class Grenade : public Mapentity {
  public:
    // kind picks the sprite frame: 0 frag grenade, 2 "Bomb", 3 "Nuke".
    Grenade(sf::Vector2f from, const float& damage, const float& angle, const float& explosionRadius,
            const float& speed, const float& fuse, const float& friction, const float& kind);

    // Rolls, bounces off walls and burns its fuse; dead (and so detonated by
    // the map's clean-up) once the fuse has run out.
    void update(float dt) override;
    // The grenade, then its countdown.
    void draw() override;

    // The share of the fuse still to burn, 1 at the throw down to 0.
    float fuseLeft() const;

    float damage = 0; // at the centre of the explosion
    float explosionRadius = 0;
    HitSource source{};     // the bomb that threw it
    Timer fuseTimer;        // seconds to the explosion, running from the throw
    sf::Text countdownText; // the seconds left, drawn above it

  private:
    void showCountdown();
};
