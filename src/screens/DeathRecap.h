#pragma once
// The panel of the game-over screen that says how the player died: what
// dealt the last blow, on which level and how long into it, the seed of a
// seeded run, and the last hits taken, newest first. It is filled from the
// run's tally when the screen opens and reads nothing else; the screen owns it.

#include "app/RunLog.h"

#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/Text.hpp>

#include <array>
#include <string>

class DeathRecap {
  public:
    DeathRecap();

    void show(const runlog::Tally& tally);
    void draw() const;

    // "m:ss" for a time in seconds.
    static std::string clockText(float seconds);

    sf::RectangleShape frame;
    sf::RectangleShape rule;
    sf::Text heading;
    sf::Text killer;
    sf::Text where; // the level, the time in it, and the seed
    sf::Text hitsHeading;
    std::array<sf::Text, runlog::recentHitCount> hitNames;
    std::array<sf::Text, runlog::recentHitCount> hitDamage;
};
