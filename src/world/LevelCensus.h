#pragma once
// What a level holds, as the score rules need it: each living actor's kind
// and size factor, in the map's order, and how long the level has run. The
// map hands it out, so the rules never walk the map themselves.

#include <vector>

// The kinds of actor a kill can be of; the enemies' kinds are these.
namespace actorKind {
constexpr int human = 0;
constexpr int rangedAlien = 1;
constexpr int meleeAlien = 2;
constexpr int count = 3;
} // namespace actorKind

struct LevelCensus {
    struct Actor {
        int kind = actorKind::human;
        float sizeFactor = 0;
    };
    std::vector<Actor> actors;
    float elapsed = 0; // seconds the level has run
};
