#pragma once
// Melee aliens: on seeing the player they stand and glow for their power-up
// time, then charge in a straight line through where he stood, 40 % beyond
// it. They hurt only by contact.

#include "actors/AI.h"

class AI_melee_alien : public AI {
  public:
    void update(Enemy& enemy, float dt) override;

    // Power up on sight, charge once powered (and not stunned), stop on
    // arrival or when the charge is held up.
    void decide(Enemy& enemy) override;
    void powerUp(Enemy& enemy);
    void charge(Enemy& enemy);
    // The charge's end: 40 % past the player (or the searched spot), kept
    // off the map's outer ring of tiles.
    void chooseChargeTarget(Enemy& enemy);
};
