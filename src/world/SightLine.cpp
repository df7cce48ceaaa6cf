#include "world/SightLine.h"

#include "world/Map.h"

#include <algorithm>

namespace {
// Segment against an axis-aligned square (slab test), edges included.
bool segmentTouchesSquare(sf::Vector2f a, sf::Vector2f b, float left, float top, float size) {
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
} // namespace

// Placeholder until the grid walk lands: every tile is tested.
bool segmentHitsSolid(const Map& map, sf::Vector2f a, sf::Vector2f b) {
    for (int x = 0; x < map.columns(); ++x)
        for (int y = 0; y < map.rows(); ++y)
            if (map.walls[x][y].kind == 1 &&
                segmentTouchesSquare(a, b, static_cast<float>(x) * 64.0f, static_cast<float>(y) * 64.0f, 64.0f))
                return true;
    return false;
}
