#pragma once
// Line of sight the plain way, every solid tile of the grid tried in turn:
// the yardstick the game's grid walk is held to in the tests and the benchmarks.

#include "world/Map.h"
#include "world/SightLine.h"

#include <SFML/System/Vector2.hpp>

#include <algorithm>

inline bool referenceSegmentHitsSolid(const Map& map, sf::Vector2f a, sf::Vector2f b) {
    for (int x = 0; x < map.columns(); ++x)
        for (int y = 0; y < map.rows(); ++y)
            if (map.walls[static_cast<std::size_t>(x)][static_cast<std::size_t>(y)].kind == 1 &&
                segmentTouchesSquare(a, b, static_cast<float>(x) * 64.0f, static_cast<float>(y) * 64.0f,
                                     64.0f))
                return true;
    return false;
}
