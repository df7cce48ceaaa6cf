#pragma once
// Base of every actor and prop placed on a map: a circle in the world with a
// velocity and friction, an animated sprite, hit points with armour, and the
// shared physics (integration, collision with wall tiles, props and actors)
// and damage rule. The map owns its entities and deletes them through this
// virtual destructor; an entity never deletes itself, it only raises its
// dead flag.

#include "core/Timer.h"
#include "world/HitSource.h"

#include <SFML/Graphics/Sprite.hpp>
#include <SFML/System/Vector2.hpp>

#include <cstdint>
#include <memory>
#include <vector>

struct Tile;
class Map;
class EntityIndex;

class Mapentity {
  public:
    using List = std::vector<std::unique_ptr<Mapentity>>;
    using Grid = std::vector<std::vector<Tile>>;

    Mapentity() = default;
    Mapentity(const Mapentity&) = delete;
    Mapentity& operator=(const Mapentity&) = delete;
    virtual ~Mapentity() = default;

    virtual void update(float dt);
    virtual void draw();
    // Push-apart and contact rules against the map's enemies and props.
    virtual void collideWithActors(List& list, float dt);
    virtual void collideWithProps(List& list, float dt);
    // The base rules through an index of the list: the same contacts in the
    // same order, without walking the entities far away. True when there was one.
    bool collideWithIndexedProps(List& list, const EntityIndex& index);
    bool collideWithIndexedActors(List& list, const EntityIndex& index);
    // Wall collision on one axis (0 = x, 1 = y); true when a tile was touched.
    virtual bool collideWithTilesOnAxis(int axis, Grid& grid);
    virtual bool collideWithTiles(Grid& grid);
    // The damage rule: armour soaks a share of the hit, the rest knocks the
    // entity away from the source; dead once HP reaches 0.
    virtual void applyDamage(float amount, sf::Vector2f from);
    // How this entity takes a hit from shots, props and contact; by default the damage rule.
    virtual void takeDamage(float amount, sf::Vector2f from);
    // The same hit, told who dealt it: those who report what hurt them (the
    // player, an enemy, a barrel) keep the source; everyone else just takes the damage.
    virtual void takeHit(float amount, sf::Vector2f from, const HitSource& source);
    virtual float getDamage() const { return 0.0f; }
    virtual void startHitGuard() {}
    virtual Timer getHitGuardTimer() const { return Timer{}; }
    virtual Timer getStunTimer() const { return Timer{}; }
    virtual bool isBerserk() const { return false; }
    virtual int getKind() const { return -1; }
    virtual int getState() const { return -1; }
    virtual void setState(int) {}
    virtual void setDestination(sf::Vector2f) {}
    // How much an actor counts in the score: 0.9, 1.4 or 1.9 by tier; props count nothing.
    virtual float getSizeFactor() const { return 0.0f; }

    // Friction for one frame: tiny speeds stop, and friction never reverses a component.
    void applyFriction(float dt);
    // Keeps the centre inside the map: at least the radius from the left and
    // top edges, at most one tile short of the far edges.
    void clampToMap(const Map& map);

    int direction = 0; // 0 still, 1 down, 2 up, 3 right, 4 left
    int previousDirection = 0;
    bool bounces = false;

    float frameTime = 0.1f;
    bool animated = true;
    float frameTimer = 0.1f;
    float previousFrameTimer = 0.1f;
    int firstFrame = 0;
    int minRow = 0;
    int frame = 0;
    int row = 0;
    int frameWidth = 64;
    int frameHeight = 64;
    bool directionalRows = false;
    int frameCount = 1;

    sf::Sprite sprite;
    sf::Vector2f position;
    sf::Vector2f velocity;
    sf::Vector2f collisionOffset;
    float radius = 0;
    float angularVelocity = 0;
    float rotation = 0; // degrees
    float acceleration = 0;
    float friction = 5.0f;
    float HP = 0;
    float MaxHP = 0;
    float armour = 0;
    bool previousDead = false;
    bool dead = false;
    float mass = 0;

    // Collisions with props counted within a window of bumpReset seconds.
    float bumpReset = 3.0f;
    bool bumpActive = true;
    float bumpTimer = 0;
    float bumpPrevious = 0;
    bool bumpRepeated = false;
    int bumpCount = 0;

    bool frozen = false;

  protected:
    void countBump();
    // The props rule against one prop this entity overlaps: it takes a push, this one steps off.
    void pushOffProp(List& list, std::size_t i);
    // The actors rule against one actor this entity overlaps.
    void bumpInto(List& list, std::size_t i);
    template <typename Contact> bool walkIndexed(List& list, const EntityIndex& index, Contact contact);

  private:
    // Most props lie still most of the time, far from anything that moves.
    // A body whose collisions found nothing to touch and left it where it
    // was notes when that was; while it is still there, nothing near it has
    // changed on the map's indexes and no wall has broken, the collisions
    // would find nothing again, and are skipped.
    struct Rest {
        bool valid = false;
        sf::Vector2f position, collisionOffset;
        float radius = 0;
        std::uint64_t props = 0, enemies = 0;
        unsigned tiles = 0;
    };
    Rest rest;
    bool stillAtRest(const Map& map) const;
    // The collisions of one physics step, through the map's indexes where
    // they cover its lists; true when the step can be noted as a rest.
    bool collide(Map& map, float dt);
};

// The armour factor of the damage rule: the share of a hit that gets through
// before the flat reduction. Armour 0 lets everything through.
float damageAfterArmour(float amount, float armour);
