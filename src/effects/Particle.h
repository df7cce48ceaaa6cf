#pragma once
// One short-lived picture (a drop of blood, a spark, a puff of smoke): a cell
// of the particle sheet that moves, spins, shrinks and fades until its life
// runs out. Particles never touch the game; the Particlehandler owns them and
// deletes them once dead.

#include "core/Timer.h"

#include <SFML/Graphics/Sprite.hpp>
#include <SFML/Graphics/Vertex.hpp>
#include <SFML/System/Vector2.hpp>

#include <vector>

class Particle {
  public:
    // The sheet cell follows the type: 0 and 6 (paper) the first cell of
    // their row, 11 and 32
    // vapour and smoke, every other type a random cell of its own row.
    Particle(sf::Vector2f position, sf::Vector2f velocity, float lifetime, int type, float spin);
    Particle(const Particle&) = delete;
    Particle& operator=(const Particle&) = delete;
    virtual ~Particle() = default;

    virtual void update(float dt);
    virtual void draw();
    // Whether draw lays the sprite through the particles' shader and no
    // more, so that the handler can lay a run of such particles in one draw.
    virtual bool drawsSprite() const { return true; }
    // The sprite's corners as the draw lays them: two triangles, in the
    // order and at the places a sprite's own draw gives the renderer.
    void appendCorners(std::vector<sf::Vertex>& to) const;

    // The share of the life already spent, 0 at birth and 1 at death.
    float lifeSpent() const;
    void setScale(sf::Vector2f scale);

    static constexpr int cellSize = 32;

    sf::Sprite sprite;
    sf::Vector2f baseScale{1, 1};
    sf::Vector2f velocity;
    Timer life;
    int type = 0;
    bool dead = false;
    bool fades = true;
    bool drag = false;
    bool shrinks = false;
    float spin = 0;

  private:
    // The paper-scrap flutter: it tips over onto one side and settles there.
    void flutter(float f);
};
