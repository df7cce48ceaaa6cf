#pragma once
// Line of sight the plain way, every solid tile of the grid tried in turn:
// the yardstick the game's grid walk is held to in the tests and the benchmarks.

#include "world/Map.h"

#include <SFML/System/Vector2.hpp>

#include <algorithm>

// Segment against a closed axis-aligned square (slab test).
inline bool referenceTouchesSquare(sf::Vector2f a, sf::Vector2f b, float left, float top, float size) {
    float t0 = 0.0f, t1 = 1.0f;
    const float d[2] = {b.x - a.x, b.y - a.y};
    const float p[2] = {a.x, a.y};
    const float lo[2] = {left, top};
    for (int axis = 0; axis < 2; ++axis) {
        if (d[axis] == 0.0f) {
            if (p[axis] < lo[axis] || p[axis] > lo[axis] + size)
                return false;
            continue;
        }
        float ta = (lo[axis] - p[axis]) / d[axis];
        float tb = (lo[axis] + size - p[axis]) / d[axis];
        if (ta > tb)
            std::swap(ta, tb);
        t0 = std::max(t0, ta);
        t1 = std::min(t1, tb);
        if (t0 > t1)
            return false;
    }
    return true;
}

inline bool referenceSegmentHitsSolid(const Map& map, sf::Vector2f a, sf::Vector2f b) {
    for (int x = 0; x < map.columns(); ++x)
        for (int y = 0; y < map.rows(); ++y)
            if (map.walls[static_cast<std::size_t>(x)][static_cast<std::size_t>(y)].kind == 1 &&
                referenceTouchesSquare(a, b, static_cast<float>(x) * 64.0f, static_cast<float>(y) * 64.0f,
                                       64.0f))
                return true;
    return false;
}
