#pragma once
// Owns every particle in the game. Gameplay code calls an emitter with a
// position and a few numbers and forgets about it; the handler updates the
// particles each frame, deletes the dead ones and draws them in three
// layers, so the world can put some below its actors and some above:
// layer 0 lies on the ground under the actors (blood, debris, casings),
// layer 1 flies above them (sparks, smoke, explosions), and layer 2 shines
// above the night (flashes, glows and floating text).

#include "core/Singleton.h"
#include "effects/Particle.h"

#include <SFML/Graphics/Vertex.hpp>
#include <SFML/System/Vector2.hpp>

#include <memory>
#include <string>
#include <vector>

class Particlehandler : public Singleton<Particlehandler> {
    friend class Singleton<Particlehandler>;

  public:
    using Layer = std::vector<std::unique_ptr<Particle>>;
    static constexpr int ground = 0;
    static constexpr int air = 1;
    static constexpr int glow = 2;

    ~Particlehandler();

    // Dead particles go before the live ones are moved, so a particle that
    // dies during an update is still drawn once.
    void update(float dt);
    void draw(int layer);
    // Drops every particle: a new map starts with none of the last one's.
    // Asked for during an update, it waits for the end of that update.
    void clear();

    // count particles in random directions at 0.25 to 2.5 times speed.
    void burst(sf::Vector2f position, float lifetime, float speed, int type, int count, int layer,
               float scale, bool drag);
    // count particles fanned around angle: alternate ones 0.2 radians to
    // either side, each with a little jitter.
    void directedBurst(float angle, sf::Vector2f position, float speed, float lifetime, int type, int count,
                       int layer, float scale, bool drag);
    // One still smoke puff that shrinks away behind a flying grenade.
    void trail(sf::Vector2f position, float lifetime, float size);
    // The alien gun's flash: a short plasma flare.
    void muzzleFlash(sf::Vector2f position);
    // A gun's flash, pointing along the barrel; size follows the gun's power.
    void muzzleFlash(sf::Vector2f position, float angle, float size);
    // A puff of gun smoke that drifts off slowly.
    void smoke(sf::Vector2f position, float lifetime, float speed);
    // The animated blast scaled by radius / 64, with a glow of the given strength (0 to 1).
    void explosion(sf::Vector2f position, float strength, float radius);
    // Chips flying back along angle (toward the shooter) from a hit.
    void impact(float angle, sf::Vector2f position, int count, float size, float speed);
    // Wood and plastic splinters flying back along angle from a hit prop.
    void splinters(float angle, sf::Vector2f position, int count, float size, float speed);
    // The blue-white crackle of a taser or a stunning hit, fanned around angle.
    void sparks(float angle, sf::Vector2f position, int count, float size);
    // A machine blown apart: plasma, sparks and scrap flung size pixels and
    // more, over a blast of the same reach.
    void largeBurst(sf::Vector2f position, float size);
    // Concrete chips and dust from a broken wall.
    void wallDebris(sf::Vector2f position, int count, float speed);
    // A wound's spray fanned around angle: blood drops, or with blood turned
    // off in the settings, grey sparks.
    void bleed(float angle, sf::Vector2f position, int count);
    // Grey sparks in the air, and nothing on the floor: what a hit or a
    // death shows with blood turned off.
    void neutralSparks(sf::Vector2f position, int count, float speed);
    // Gore when an actor dies (neutral sparks with blood turned off): the ordinary death, the cut-down one of
    // a blade (alternative) and the blown-apart one (explosive).
    void deathBurst(sf::Vector2f position, int count, float size);
    void deathBurstAlternative(sf::Vector2f position, int count, float size);
    void deathBurstExplosive(sf::Vector2f position, float size);
    // Floating text rising from position; velocity is its rise per sixtieth of a second.
    void text(sf::Vector2f position, float size, const std::string& string, sf::Vector2f velocity);
    // A tumbling shell casing; lifetime is its first flight before it hits the floor.
    void casing(sf::Vector2f position, sf::Vector2f velocity, float lifetime, int type);

    const Layer& layer(int index) const;
    // false draws every particle apart, as the runs must look.
    bool drawsInRuns = true;
    std::size_t count() const;

    static constexpr float textLifetime = 2.0f;
    static constexpr float casingLifetime = 6.0f;

  private:
    Particlehandler();
    Particle& add(std::unique_ptr<Particle> particle, int layer);
    // Tints the particles of a layer from index first on.
    void greyFrom(int layer, std::size_t first);

    // The layers in the order they are drawn: ground, air, glow.
    Layer layers[3];
    std::vector<sf::Vertex> run; // the corners of a run of particles drawn as one
    bool updating = false;
    bool clearRequested = false;
};
