#pragma once
// A particle that plays a row of a sprite sheet while it lives: the
// explosion's flash, fireball and smoke. Owned by the Particlehandler.

#include "effects/Particle.h"

#include <SFML/Graphics/Texture.hpp>

class AnimatedParticle : public Particle {
  public:
    // The frames are frameWidth wide, side by side in one row starting at
    // sheetRow × frameHeight; each is shown for frameTime seconds.
    AnimatedParticle(sf::Vector2f position, const sf::Texture& sheet, int frameWidth, int frameHeight,
                     int sheetRow, int frameCount, float frameTime, float lifetime);

    void update(float dt) override;

    Timer frameTimer;
    int firstFrame = 0;
    int currentFrame = 0;
    int frameCount = 1;
    int frameWidth = 0;
    int sheetRow = 0;
};
