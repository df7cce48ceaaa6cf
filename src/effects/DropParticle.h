#pragma once
// A particle that falls and bounces in a pretend height above the floor:
// shell casings. It tumbles while in the air (its scale swings), clicks on
// every landing, bounces off walls and finally lies still. Owned by the
// Particlehandler.

#include "effects/Particle.h"

#include <vector>

struct Tile;

class DropParticle : public Particle {
  public:
    using Grid = std::vector<std::vector<Tile>>;

    // airTime is the first flight before the casing touches the floor;
    // lifetime how long it stays in the world.
    DropParticle(sf::Vector2f position, sf::Vector2f velocity, float airTime, int type, float lifetime);

    void update(float dt) override;
    // Pushes the particle out of a wall tile it entered along one axis
    // (true: vertical, false: horizontal) and turns that velocity back.
    bool hitsWall(bool vertical, Grid& grid);
    bool touchesWall(Grid& grid);

    // The first landing is this strong; each bounce takes a share of it.
    static constexpr float firstBounce = 0.6f;

    Timer airTimer;
    float bounceStrength = firstBounce;
    float tumble = 0;
    float scale = 1;
    float scaleSpeed = 0;

  private:
    void land();
    void rest();
};
