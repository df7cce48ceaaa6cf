#pragma once
// Something that happened in a level which the level's owner must settle:
// the rules record these on the map, in the order they happen, and the
// in-level state turns them into screens, score notices and the damage
// flash in the same frame. The model never calls up into a screen itself.

#include "world/HitSource.h"

#include <SFML/Graphics/Color.hpp>

#include <string>

struct LevelEvent {
    enum class Kind {
        playerDied,       // the player's health reached zero; `source` dealt the last hit
        machineDestroyed, // the level's brainwash machine fell: the level is won
        carnage,          // a wall or a prop broke: `points` for the notice labelled `text`
        killNotice,       // an enemy of kind `actor` died by `source`: `text` shown in `colour`
        playerHit,        // `source` cost the player `amount` health: the flash starts at `intensity`
    };

    Kind kind = Kind::carnage;
    int points = 0;
    float intensity = 0;
    std::string text;
    sf::Color colour;
    HitSource source{};
    int actor = -1; // an actorKind
    float amount = 0;
};
