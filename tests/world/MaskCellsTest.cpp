#include "world/MaskCells.h"

#include <gtest/gtest.h>

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

} // namespace
