#pragma once
// A pickup lying on the floor that acts once the player walks over it. The
// map's pickups list owns every pickup and removes the taken ones in its
// clean-up; the base only marks itself taken, the kinds say what they give.

#include <SFML/Graphics/Rect.hpp>
#include <SFML/Graphics/Sprite.hpp>
#include <SFML/System/Vector2.hpp>

class PowerUp {
  public:
    // cell: the pickup's 48 x 48 cell on the pickup sheet.
    PowerUp(sf::Vector2f position, sf::IntRect cell, float pickupRadius = 16.0f);
    PowerUp(const PowerUp&) = delete;
    PowerUp& operator=(const PowerUp&) = delete;
    virtual ~PowerUp() = default;

    // Applies the pickup when the live player's hit circle reaches it.
    virtual void update();
    virtual void draw();
    virtual void apply();

    sf::Sprite sprite;
    float pickupRadius;
    sf::Vector2f position;
    bool taken = false;
};
