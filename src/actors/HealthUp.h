#pragma once
// The health pickup: heals the player by an amount that grows with the
// level, never above his maximum. At full health it stays on the floor for
// later. Owned by the map's pickups list.

#include "actors/PowerUp.h"

class HealthUp : public PowerUp {
  public:
    explicit HealthUp(sf::Vector2f position);

    void apply() override;

    // Hit points one pickup restores on the given level.
    static float healFor(int level);
};
