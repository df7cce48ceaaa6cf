#pragma once
// The one machine per level whose destruction ends the level. It stands
// still, hums a signal that drowns out the battle music as the player comes
// near, and rewards its destroyer with a full heal and a spell of
// invulnerability. Map generation appends it last to the map's furniture.

#include "world/Furniture.h"

class BrainwashMachine : public Furniture {
  public:
    explicit BrainwashMachine(sf::Vector2f position);
    // Silences the signal and gives the music its volume back.
    ~BrainwashMachine() override;

    void update(float dt) override;
    void takeDamage(float amount, sf::Vector2f from) override;

    // 0 from 960 pixels away, rising to 1 within 480 pixels.
    static float signalAt(float distance);

    float signalLevel = 0;
};
