#pragma once
// The visible projectile of the ranged aliens: it flies straight at the
// speed of the level until it touches a prop, a wall or the player (and,
// fired by a berserk alien, any enemy once clear of the muzzle). The map
// owns it in its bullet list and deletes it once dead; one that leaves the
// map's area without touching anything is dead too.

#include "world/Mapentity.h"

class Bullet : public Mapentity {
  public:
    Bullet(const sf::Vector2f& aimPoint, const sf::Vector2f& from, bool berserkFired);

    void update(float dt) override;
    // Damages every prop it touches; dead if it touched any.
    void collideWithProps(List& list, float dt) override;
    // The same hits through an index of the props.
    void hitIndexedProps(List& list, const EntityIndex& index);
    // Damages the wall tiles it touches; dead if it touched any.
    void hitWalls(Grid& grid);
    // A berserk alien's bullet also hurts enemies, once clear of its muzzle.
    void hitEnemies(List& list);

    // Flying speed and damage at a level number.
    static float speedAt(int level);
    static float damageAt(int level);

    float heading = 0; // radians
    float damage = 0;
    bool berserkFired = false;
    sf::Vector2f launchPoint;
};
