#pragma once
// Ranged aliens: they close in on a player they see, stop between 128 and
// 896 pixels from him and shoot on their cooldown, and back off when he
// comes closer than 128.

#include "actors/AI.h"

#include <optional>

class AI_ranged_alien : public AI {
  public:
    void update(Enemy& enemy, float dt) override;

    // Keeps the distance: flee, stand and shoot, or go back to hunting.
    void decide(Enemy& enemy) override;
    // One projectile at the aim point, unless the cooldown is still counting.
    void shoot(Enemy& enemy);

  private:
    // The player, or for a berserk alien its target (none when it has none).
    std::optional<sf::Vector2f> aimPoint(Enemy& enemy);
};
