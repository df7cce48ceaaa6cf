#pragma once
// Every actor on a level besides the player: humans, ranged aliens and melee
// aliens. One class serves the three kinds; the kind picks the statistics,
// the sprite and the behaviour the enemy owns. The enemy keeps the shared
// machinery: speeds per behaviour state, the timers of its status effects
// and throttles, steering along its path, the health bar and tier badge,
// status tints, hurt and death voices, and what its death leaves behind.
// The map owns every enemy in its enemies list and deletes the dead ones in
// its clean-up, after asking them to leave their drop and tally.

#include "actors/AI.h"
#include "core/StatBar.h"
#include "core/Timer.h"
#include "world/LevelCensus.h"
#include "world/Mapentity.h"

#include <SFML/Audio/SoundBuffer.hpp>
#include <SFML/Graphics/Sprite.hpp>
#include <SFML/System/Vector2.hpp>

#include <array>
#include <memory>
#include <vector>

class Map;

// The statistics of one kind at a level number and size factor.
struct EnemyStats {
    float maxHP = 0;
    float damage = 0;
    std::array<float, 7> speeds{};
    float attackTime = 0; // ranged: shot cooldown; melee alien: power-up time
    float keepAwayDistance = 0;
    float sightRange = 0;
    float radius = 28;
    float mass = 100;
};

class Enemy : public Mapentity {
  public:
    static constexpr int human = actorKind::human;
    static constexpr int rangedAlien = actorKind::rangedAlien;
    static constexpr int meleeAlien = actorKind::meleeAlien;

    // tier 0, 1 or 2 picks the badge and the size factor; a negative tier is drawn at random.
    Enemy(sf::Vector2f position, int kind, int tier = -1);
    ~Enemy() override;

    // The statistics every enemy of a kind gets at a level; they grow with the level.
    static EnemyStats statsFor(int kind, int level, float sizeFactor);

    // One frame: timers, movement, the behaviour, steering, tints and poison.
    void update(float dt) override;
    // The body, then the health bar, then the tier badge.
    void draw() override;

    // A hit: burstA picks a blade's death burst, burstB an explosion's.
    void takeDamage(float amount, sf::Vector2f from, bool burstA, bool burstB);
    void takeDamage(float amount, sf::Vector2f from) override { takeDamage(amount, from, false, false); }
    void takeHit(float amount, sf::Vector2f from, const HitSource& source) override;

    // The contact and status interface the world and the behaviours read.
    float getDamage() const override { return damage; }
    void startHitGuard() override;
    Timer getHitGuardTimer() const override { return hitGuard; }
    Timer getStunTimer() const override { return stunTimer; }
    Timer getPoisonTimer() const { return poisonTimer; }
    bool isBerserk() const override { return berserk; }
    int getKind() const override { return kind; }
    int getState() const override { return state; }
    void setState(int s) override;
    // Where to go next: straight there while the player is in sight or while
    // charging, otherwise along a searched path, at most one search per 3 s.
    void setDestination(sf::Vector2f point) override;
    float getSizeFactor() const override { return sizeFactor; }

    // Status effects from the player's weapons and taser.
    // Halves the speeds (never twice) for 2 s; a repeat restarts the 2 s.
    void slow();
    // For 7 s the enemy attacks whoever is nearest, other enemies included.
    void makeBerserk();
    // damagePerTick about once a second for 10 s.
    void poison(float damagePerTick);
    // No steering and no contact damage for 10 s.
    void stun();
    bool isStunned() const { return stunTimer.running && stunTimer.remaining > 0; }

    // The destruction steps of an enemy the world takes away dead: an alien
    // may leave a health pickup on the map, the kill is tallied and the
    // heads-up display tells of it. A map torn down with its enemies alive
    // does none of this.
    void leaveDead(Map& map);

    // The first waypoint, or the own position while there is none.
    sf::Vector2f nextWaypoint() const { return path.empty() ? position : path.front(); }
    bool standsOnWaypoint() const { return nextWaypoint() == position; }

    int kind = human;
    std::unique_ptr<AI> ai;
    int state = 0;
    std::array<float, 7> speeds{};
    std::vector<sf::Vector2f> path;
    bool seesPlayer = false;
    bool sawPlayerLastFrame = false;
    sf::Vector2i lastSeenTile;
    // Tiles the player may have gone since last seen. An enemy that has
    // never seen him has nowhere to search and starts out wandering.
    float searchRadius = 15;
    float waypointRadius = 15;
    float keepAwayDistance = 0;
    float sightRange = 0;
    float damage = 0;
    float sizeFactor = 0.9f;
    int tier = 0;
    // The warning partner or berserk victim: another enemy of the same map,
    // not owned. The map clears it in its clean-up before it deletes the
    // enemy it points at, so it is either null or alive on this map.
    Mapentity* target = nullptr;
    bool berserk = false;
    float poisonDamage = 0;
    float poisonAccumulator = 0;
    float previousHP = 0;

    Timer attackTimer;
    Timer pathTimer{3, false, 3, 3};
    Timer stunTimer{10, false, 10, 10};
    Timer noticeTimer{4, true, 4, 4};
    Timer slowTimer{2, false, 2, 2};
    Timer berserkTimer{7, false, 7, 7};
    Timer poisonTimer{10, false, 10, 10};
    Timer hitGuard{0.5f, true, 0.5f, 0.5f};
    Timer alertTimer{50, true, 50, 50};

    StatBar hpBar;
    sf::Sprite tierIcon;

    // The source of the last hit while alive: poison and burning keep the
    // name of the shot that started them, and the death reports it as the killer.
    HitSource lastHit{};

  private:
    void steer(float dt);
    void placeBarAndBadge();
    void updateTints(float dt);
    void expireSlow();
    void updatePoison(float dt);
    void restoreSpeeds();

    // The pulsing body colour and the direction each channel pulses in.
    float tint[3] = {255, 255, 255};
    int tintDirection[3] = {-1, -1, -1};
    float sparkTime = 0; // stun sparks are emitted at a steady rate, whatever the frame rate
};

// Hurts an actor of the enemies list: an enemy with the given death bursts,
// anything else by its own rule.
void hurtActor(Mapentity& actor, float amount, sf::Vector2f from, bool burstA, bool burstB,
               const HitSource& source);

// Plays a voice on one of the registry's pools of two: on the first voice
// unless it is busy, else on the second, else not at all.
void playVoice(int pool, const sf::SoundBuffer& buffer);
// Stops the voices of a pool that play the given buffer.
void stopVoice(int pool, const sf::SoundBuffer& buffer);
