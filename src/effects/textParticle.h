#pragma once
// A floating word or number ("+42", "Invulnerability!") that rises and fades
// out. Owned by the Particlehandler like every other particle.

#include "effects/Particle.h"

#include <SFML/Graphics/Text.hpp>

#include <string>

class textParticle : public Particle {
  public:
    // size scales the text; textVelocity is how far it moves per sixtieth of a second.
    textParticle(sf::Vector2f position, float size, const std::string& string, sf::Vector2f textVelocity,
                 float lifetime);

    void update(float dt) override;
    void draw() override;
    bool drawsSprite() const override { return false; }

    sf::Text text;
    sf::Vector2f textVelocity;
};
