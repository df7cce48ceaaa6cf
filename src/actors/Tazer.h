#pragma once
// The player's taser, a tool he always carries: the middle mouse button sends
// an electric beam toward the pointer that stops the first enemy or alien
// projectile it reaches, or the first wall; a second press calls it back.
// Then it recharges, faster with the Grapple stat, with a whine that quickens
// as the charge fills. Held by value inside the player.

#include "items/Item.h"

#include <SFML/Audio/Sound.hpp>
#include <SFML/System/Vector2.hpp>

class Map;

class Tazer : public Item {
  public:
    Tazer();

    // One frame while the player lives: the trigger, the beam's flight and
    // what it meets on the current map, the recharge and its sound.
    void update(float dt, int grapple) override;

    // A press of the trigger: calls back a beam that is out, or sends a new
    // one from start toward target once recharged.
    void pull(sf::Vector2f start, sf::Vector2f target);
    // Moves the beam's tips along the line from its start to its target.
    void advance(float dt, int grapple);
    // What the beam's last stretch meets on the map: an enemy, a wall, the
    // map's edge or an alien projectile stops it. Leaves its trail in the
    // map's tracers.
    void strike(Map& map);
    void recharge(float dt, int grapple);
    // Calls a flying beam back without firing again.
    void cancel() { active = false; }

    // Pixels per second the beam flies with the given Grapple stat.
    float flightSpeed(int grapple) const;

    // remaining > 0 while recharging; the heads-up display shows it.
    Timer rechargeTimer{1.0f, true, 1.0f, 1.0f};
    float rechargeRate = 1.0f;
    bool active = false;
    int beamSpeed = 1100;
    sf::Vector2f beamStart, beamTarget;
    // [0] the leading tip, [1] where it was a frame ago: the stretch the
    // beam covered this frame.
    sf::Vector2f beamTip[2];

  private:
    // Restarts the short recharge whine more often as the charge fills.
    void paceRechargeSound(float dt);

    sf::Sound rechargeSound;
    float sinceWhine = 0; // seconds since the whine last started
};
