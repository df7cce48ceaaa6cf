#include "world/SightLine.h"
#include "SightLineReference.h"
#include "core/Globals.h"
#include "world/Map.h"
#include "world/Maphandler.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <memory>

namespace {

void wall(Map& m, int col, int row) {
    m.walls[static_cast<std::size_t>(col)][static_cast<std::size_t>(row)].kind = 1;
}

float randomIn(float lo, float hi) {
    return lo + (hi - lo) * static_cast<float>(std::rand()) / static_cast<float>(RAND_MAX);
}

// A point on the grid lines or at their crossings more often than chance would put it there.
float snapped(float lo, float hi, float step) {
    return std::round(randomIn(lo, hi) / step) * step;
}

// Compares the grid walk with the full scan on random segments of every
// kind: long and short, in and out of the grid, on tile edges and corners,
// axis-aligned and of zero length. Returns the number of blocked segments.
int compareRandomSegments(const Map& m, int count) {
    const float w = static_cast<float>(m.columns()) * 64.0f, h = static_cast<float>(m.rows()) * 64.0f;
    int blocked = 0;
    for (int i = 0; i < count; ++i) {
        sf::Vector2f a, b;
        switch (i % 6) {
        case 0:
            a = {randomIn(-300, w + 300), randomIn(-300, h + 300)};
            b = {randomIn(-300, w + 300), randomIn(-300, h + 300)};
            break;
        case 1: { // a typical sight line, up to the aliens' sight range
            a = {randomIn(0, w), randomIn(0, h)};
            float angle = randomIn(0, 6.2831853f), length = randomIn(0, 896);
            b = a + sf::Vector2f(std::cos(angle) * length, std::sin(angle) * length);
            break;
        }
        case 2:
            a = {snapped(-64, w + 64, 32), snapped(-64, h + 64, 32)};
            b = {snapped(-64, w + 64, 32), snapped(-64, h + 64, 32)};
            break;
        case 3: // along a grid line
            a = {snapped(-64, w + 64, 64), snapped(-64, h + 64, 16)};
            b = {a.x, snapped(-64, h + 64, 16)};
            if (std::rand() % 2) {
                std::swap(a.x, a.y);
                std::swap(b.x, b.y);
            }
            break;
        case 4: // through crossings of grid lines at 45 degrees
            a = {snapped(0, w, 64), snapped(0, h, 64)};
            b = a + sf::Vector2f(1, std::rand() % 2 ? 1.0f : -1.0f) * snapped(-640, 640, 64);
            break;
        default:
            a = b = {snapped(-64, w + 64, 8), snapped(-64, h + 64, 8)};
        }
        bool expected = referenceSegmentHitsSolid(m, a, b);
        if (segmentHitsSolid(m, a, b) != expected) {
            ADD_FAILURE() << "segment (" << a.x << ", " << a.y << ") to (" << b.x << ", " << b.y
                          << "): full scan says " << expected;
            return blocked;
        }
        blocked += expected;
    }
    return blocked;
}

TEST(SightLine, MatchesTheFullScanOnGeneratedLevels) {
    Maphandler* handler = Maphandler::getInstance();
    for (int level : {1, 30}) {
        std::srand(static_cast<unsigned>(level));
        levelNumber = level;
        handler->newMap(level);
        int blocked = compareRandomSegments(*handler->currentMap(), 3000);
        EXPECT_GT(blocked, 300);
        EXPECT_LT(blocked, 2700);
    }
    levelNumber = 1;
}

TEST(SightLine, MatchesTheFullScanOnSmallRandomGrids) {
    std::srand(9);
    for (int round = 0; round < 200; ++round) {
        Map m(std::rand() % 9 + 1, std::rand() % 9 + 1);
        for (int col = 0; col < m.columns(); ++col)
            for (int row = 0; row < m.rows(); ++row)
                if (std::rand() % 3 == 0)
                    wall(m, col, row);
        compareRandomSegments(m, 200);
    }
}

// One solid tile, (4, 4), covering [256, 320] x [256, 320] with its edges.
TEST(SightLine, EdgesAndCornersOfASolidTileBlock) {
    Map m(10, 10);
    wall(m, 4, 4);
    struct Case {
        sf::Vector2f a, b;
        bool blocked;
    };
    const Case cases[] = {
        {{100, 256}, {500, 256}, true},                                           // along the top edge
        {{100, 255.9f}, {500, 255.9f}, false}, {{320, 0}, {320, 600}, true},      // down the right edge
        {{320.1f, 0}, {320.1f, 600}, false},   {{200, 200}, {256, 256}, true},    // ending on the corner
        {{200, 200}, {255.9f, 255.9f}, false}, {{192, 320}, {320, 192}, true},    // across the corner alone
        {{192, 319.9f}, {319.9f, 192}, false}, {{300, 300}, {300, 300}, true},    // zero length, inside
        {{320, 260}, {320, 260}, true},                                           // zero length, on the edge
        {{321, 260}, {321, 260}, false},       {{-100, -100}, {-10, 700}, false}, // outside the grid
        {{-500, 288}, {2000, 288}, true}, // from outside, through the tile, out again
        {{288, -1.0e7f}, {288, 1.0e7f}, true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(segmentHitsSolid(m, c.a, c.b), c.blocked)
            << c.a.x << ", " << c.a.y << " to " << c.b.x << ", " << c.b.y;
        EXPECT_EQ(referenceSegmentHitsSolid(m, c.a, c.b), c.blocked) << c.a.x << ", " << c.a.y;
    }
}

TEST(SightLine, TheSharedCornerOfDiagonalWallsAndTheOuterRingBlock) {
    Map m(10, 10);
    wall(m, 4, 4);
    wall(m, 5, 3);
    // Their shared corner is (320, 256): the line through it touches both.
    EXPECT_TRUE(segmentHitsSolid(m, {192, 128}, {448, 384}));
    EXPECT_TRUE(segmentHitsSolid(m, {320, 256}, {320, 256}));
    // Walls on the outer ring: a segment from outside the grid meets them.
    Map n(6, 6);
    wall(n, 0, 5);
    EXPECT_TRUE(segmentHitsSolid(n, {-50, 352}, {100, 352}));
    EXPECT_FALSE(segmentHitsSolid(n, {-50, 300}, {100, 300}));
    EXPECT_FALSE(segmentHitsSolid(Map(0, 0), {0, 0}, {100, 100}));
}

} // namespace
