#pragma once
// A behaviour: what an enemy does each frame. It never moves the enemy
// itself; it reads the enemy, the player and the current map's walls, sets
// the enemy's state and gives it destinations, and the enemy steers there.
// A behaviour keeps no memory of its own (sight, last seen tile, partner,
// timers all live in the enemy), so one object per enemy is only for the
// virtual dispatch. Owned by its enemy.

#include "core/Random.h"

#include <SFML/System/Vector2.hpp>

#include <cstddef>
#include <vector>

class Enemy;

// The behaviour states: an enemy's state, and the index of its speed in each.
// The order matters: every state from fleeing on means the enemy has seen
// the player.
namespace behaviour {
constexpr int idle = 0;
constexpr int searching = 1;
constexpr int chasing = 2;
constexpr int fleeing = 3;
constexpr int warning = 4;  // a human waving the player off
constexpr int shooting = 4; // a ranged alien in range
constexpr int poweringUp = 5;
constexpr int charging = 6;
} // namespace behaviour

class AI {
  public:
    AI() = default;
    AI(const AI&) = delete;
    AI& operator=(const AI&) = delete;
    virtual ~AI() = default;

    virtual void update(Enemy& enemy, float dt) = 0;

    // Shared steps.
    // Line of sight to the player, the last seen tile and the notice voice.
    virtual void notice(Enemy& enemy);
    // Drops reached waypoints; stops at the last one.
    virtual void followPath(Enemy& enemy);
    // Chases a player in sight; otherwise guesses how far he got and, once
    // arrived, searches near where he was seen or wanders off.
    virtual void hunt(Enemy& enemy, float dt);
    virtual void search(Enemy& enemy);
    virtual void wander(Enemy& enemy);
    // Runs for a spot about 20 tiles away from the player.
    virtual void flee(Enemy& enemy);
    // An enemy that keeps bumping into things now and then wanders elsewhere.
    virtual void unstick(Enemy& enemy);
    // A berserk enemy goes for the nearest actor, player or enemy.
    virtual void berserkTarget(Enemy& enemy);

    // Steps of the particular kinds; nothing by default.
    virtual void checkLowHealth(Enemy&) {}
    virtual void checkWarn(Enemy&) {}
    virtual void findPartner(Enemy&) {}
    virtual void goWarn(Enemy&) {}
    virtual void decide(Enemy&) {}

  protected:
    // The frame of both alien kinds: sight, then hunting (or a berserk
    // target), then the path, then the kind's decision.
    void updateAlien(Enemy& enemy, float dt);
    // Picks a random entry of a non-empty candidate list.
    template <typename T> static const T& pick(const std::vector<T>& candidates) {
        return candidates[static_cast<std::size_t>(randInt(0, static_cast<int>(candidates.size()) - 1))];
    }
    static float distance(sf::Vector2f a, sf::Vector2f b);
    // The top-left corner of a tile, where search, wander and flee send enemies.
    static sf::Vector2f corner(sf::Vector2i tile);
};
