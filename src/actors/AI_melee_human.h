#pragma once
// Humans: they walk up to a player they see and hurt him by contact, run
// away when badly hurt, and once safely away go and tell an idle human
// where the player was last seen.

#include "actors/AI.h"

class AI_melee_human : public AI {
  public:
    void update(Enemy& enemy, float dt) override;

    // Below a fifth of its health a human flees, crying out once as it crosses.
    void checkLowHealth(Enemy& enemy) override;
    // A fleeing or warning human far enough from the player looks for someone to warn.
    void checkWarn(Enemy& enemy) override;
    // The nearest idle or searching human becomes the partner to warn.
    void findPartner(Enemy& enemy) override;
    // Walks to the partner; within reach of it the partner starts hunting where the player was seen.
    void goWarn(Enemy& enemy) override;
};
