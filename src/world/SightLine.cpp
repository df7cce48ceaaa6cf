#include "world/SightLine.h"

#include "world/Map.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr float tileSize = 64.0f;

// The tile index of a pixel coordinate, pinned to [-1, count] so that
// far-off coordinates neither overflow nor walk empty tiles.
int tileIndex(float pixels, int count) {
    float tile = std::floor(pixels / tileSize);
    return static_cast<int>(std::max(-1.0f, std::min(tile, static_cast<float>(count))));
}
} // namespace

// Column by column, only the rows the segment spans within that column are
// tried. Every span is widened by a margin larger than the rounding of the
// square test, so the tiles the segment grazes at an edge or a corner are
// tried too, and the square test alone decides: the answer is the one a
// test of every tile would give.
bool segmentHitsSolid(const Map& map, sf::Vector2f a, sf::Vector2f b) {
    const int columns = map.columns();
    const int rows = map.rows();
    const float magnitude = std::max({std::abs(a.x), std::abs(a.y), std::abs(b.x), std::abs(b.y)});
    const float margin = 1.0f + magnitude * 1.0e-5f;

    const float xLo = std::min(a.x, b.x), xHi = std::max(a.x, b.x);
    const float dx = b.x - a.x;
    const int firstCol = std::max(0, tileIndex(xLo - margin, columns));
    const int lastCol = std::min(columns - 1, tileIndex(xHi + margin, columns));
    for (int col = firstCol; col <= lastCol; ++col) {
        float spanLeft = std::max(xLo, static_cast<float>(col) * tileSize - margin);
        float spanRight = std::min(xHi, static_cast<float>(col + 1) * tileSize + margin);
        float yA = a.y, yB = b.y;
        if (dx != 0.0f) {
            // Parameters of the span's ends, kept on the segment.
            float tA = std::clamp((spanLeft - a.x) / dx, 0.0f, 1.0f);
            float tB = std::clamp((spanRight - a.x) / dx, 0.0f, 1.0f);
            yA = a.y + tA * (b.y - a.y);
            yB = a.y + tB * (b.y - a.y);
        }
        const int firstRow = std::max(0, tileIndex(std::min(yA, yB) - margin, rows));
        const int lastRow = std::min(rows - 1, tileIndex(std::max(yA, yB) + margin, rows));
        const auto& column = map.walls[static_cast<std::size_t>(col)];
        for (int row = firstRow; row <= lastRow; ++row)
            if (column[static_cast<std::size_t>(row)].kind == 1 &&
                segmentTouchesSquare(a, b, static_cast<float>(col) * tileSize,
                                     static_cast<float>(row) * tileSize, tileSize))
                return true;
    }
    return false;
}

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
