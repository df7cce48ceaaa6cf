#include "world/MaskCells.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {

// A dark mask 40 x 40 with one lit texel on a cell's corner: every cell whose
// pixels read it, the smooth scaling's texel beyond each side included, is
// uneven; the others are even and dark, the short cells at the edges too.
TEST(MaskCells, ACellIsEvenOnlyWhereEveryTexelItsPixelsReadIsTheSame) {
    const unsigned width = 40, height = 40;
    std::vector<std::uint8_t> light(width * height, 0);
    light[16 * width + 16] = 255;
    const std::vector<MaskCell> cells = maskCells(light, width, height, 16);
    ASSERT_EQ(cells.size(), 9u);
    unsigned covered = 0;
    for (const MaskCell& c : cells) {
        covered += c.width * c.height;
        const bool reads = (c.x == 0 || c.x == 16) && (c.y == 0 || c.y == 16);
        EXPECT_EQ(c.even, !reads) << c.x << "," << c.y;
        if (c.even) {
            EXPECT_EQ(c.light, 0);
        }
    }
    EXPECT_EQ(covered, width * height);
    EXPECT_EQ(cells.back().width, 8u);

    // One texel past a cell's reach leaves it even.
    std::fill(light.begin(), light.end(), 200);
    light[0 * width + 18] = 0;
    for (const MaskCell& c : maskCells(light, width, height, 16))
        EXPECT_EQ(c.even, !(c.y == 0 && c.x == 16)) << c.x << "," << c.y;
    // A mask shorter than its size makes no cells rather than reading past it.
    light.resize(10);
    EXPECT_TRUE(maskCells(light, width, height, 16).empty());
}

// A lit texel inside one cell of a dark 32 x 32 mask: that cell is cut into
// quarters of 8, the one whose pixels read the texel uneven and the other
// three even and dark; the cells still tile the mask once over. Where no
// quarter would be even, the cell stays whole.
TEST(MaskCells, ACellNeitherEvenNorSlopedIsCutWhereAPartOfItIs) {
    const unsigned width = 32, height = 32;
    std::vector<std::uint8_t> light(width * height, 0);
    light[4 * width + 20] = 255;
    const std::vector<MaskCell> cells = maskCells(light, width, height, 16, 0, 8);
    ASSERT_EQ(cells.size(), 7u);
    std::vector<int> cover(width * height, 0);
    for (const MaskCell& c : cells) {
        for (unsigned v = c.y; v < c.y + c.height; ++v)
            for (unsigned u = c.x; u < c.x + c.width; ++u)
                ++cover[v * width + u];
        const bool reads = c.x <= 21 && c.x + c.width >= 20 && c.y <= 5 && c.y + c.height >= 4;
        EXPECT_EQ(c.even, !reads) << c.x << "," << c.y << " " << c.width;
        EXPECT_EQ(c.width, c.x >= 16 && c.y < 16 ? 8u : 16u) << c.x << "," << c.y;
    }
    EXPECT_EQ(std::count(cover.begin(), cover.end(), 1), static_cast<long>(width * height));
    EXPECT_EQ(maskCells(light, width, height, 16).size(), 4u);

    for (unsigned i = 0; i < width * height; ++i)
        light[i] = static_cast<std::uint8_t>((i * 7919) % 251); // no part of any cell is even
    EXPECT_EQ(maskCells(light, width, height, 16, 1, 8).size(), 4u);
}

// A ramp across the mask slopes in every cell: the fit gives back each
// texel's light at its centre, so the corners' colours land where the
// smooth scaling would put them. A texel two levels off the ramp breaks its
// cells' slope at a tolerance of one level.
TEST(MaskCells, ALightThatSlopesIsFoundWithItsSlope) {
    const unsigned width = 48, height = 32;
    std::vector<std::uint8_t> light(width * height);
    for (unsigned v = 0; v < height; ++v)
        for (unsigned u = 0; u < width; ++u)
            light[v * width + u] = static_cast<std::uint8_t>(10 + 3 * u + 2 * v);
    for (const MaskCell& c : maskCells(light, width, height, 16, 1)) {
        ASSERT_FALSE(c.even);
        ASSERT_TRUE(c.sloped) << c.x << "," << c.y;
        EXPECT_NEAR(c.lightAt(c.x + 0.5f, c.y + 0.5f), 10 + 3 * c.x + 2 * c.y, 1e-3);
        EXPECT_NEAR(c.lightAt(c.x + 4.5f, c.y + 9.5f), 10 + 3 * (c.x + 4) + 2 * (c.y + 9), 1e-3);
    }
    light[20 * width + 20] += 2;
    for (const MaskCell& c : maskCells(light, width, height, 16, 1))
        EXPECT_EQ(c.sloped, !(c.x == 16 && c.y == 16)) << c.x << "," << c.y;
    // Without a tolerance only even cells are looked for.
    for (const MaskCell& c : maskCells(light, width, height, 16))
        EXPECT_FALSE(c.sloped);
}

// On ramps with noise and steps, a cell is sloped exactly when every texel
// its pixels read lies within the tolerance of the plane that fits them best,
// worked out here in double precision, however the game rules cells out.
TEST(MaskCells, ACellIsSlopedExactlyWhenItsTexelsLieNearTheirBestPlane) {
    const unsigned width = 64, height = 48;
    std::vector<std::uint8_t> light(width * height);
    unsigned seed = 12345;
    auto next = [&seed] { return (seed = seed * 1103515245u + 12345u) >> 16; };
    int sloped = 0, neither = 0;
    for (int trial = 0; trial < 40; ++trial) {
        const int noise = static_cast<int>(next() % 4), across = static_cast<int>(next() % 5),
                  down = static_cast<int>(next() % 5), step = next() % 3 == 0 ? 60 : 0;
        const unsigned stepAt = next() % width;
        for (unsigned v = 0; v < height; ++v)
            for (unsigned u = 0; u < width; ++u) {
                const int value = 20 + across * static_cast<int>(u) / 2 + down * static_cast<int>(v) / 2 +
                                  (noise ? static_cast<int>(next() % (noise + 1)) : 0) +
                                  (u >= stepAt ? step : 0);
                light[v * width + u] = static_cast<std::uint8_t>(std::clamp(value, 0, 255));
            }
        for (const MaskCell& c : maskCells(light, width, height, 16, 1.5f, 8)) {
            if (c.even)
                continue;
            const unsigned x0 = c.x > 0 ? c.x - 1 : 0, x1 = std::min(c.x + c.width, width - 1);
            const unsigned y0 = c.y > 0 ? c.y - 1 : 0, y1 = std::min(c.y + c.height, height - 1);
            const double cx = (x0 + x1) / 2.0 + 0.5, cy = (y0 + y1) / 2.0 + 0.5;
            double sum = 0, sx = 0, sy = 0, vx = 0, vy = 0, n = 0;
            for (unsigned v = y0; v <= y1; ++v)
                for (unsigned u = x0; u <= x1; ++u) {
                    const double value = light[v * width + u], dx = u + 0.5 - cx, dy = v + 0.5 - cy;
                    sum += value, sx += value * dx, sy += value * dy, vx += dx * dx, vy += dy * dy, n += 1;
                }
            double worst = 0;
            for (unsigned v = y0; v <= y1; ++v)
                for (unsigned u = x0; u <= x1; ++u)
                    worst = std::max(worst, std::abs(light[v * width + u] - sum / n -
                                                     sx / vx * (u + 0.5 - cx) - sy / vy * (v + 0.5 - cy)));
            if (c.sloped)
                EXPECT_LE(worst, 1.5 + 1e-3) << "trial " << trial << " cell " << c.x << "," << c.y;
            else
                EXPECT_GT(worst, 1.5 - 1e-3) << "trial " << trial << " cell " << c.x << "," << c.y;
            (c.sloped ? sloped : neither) += 1;
        }
    }
    // Both kinds came up, or the trials prove nothing.
    EXPECT_GT(sloped, 50);
    EXPECT_GT(neither, 50);
}

} // namespace
