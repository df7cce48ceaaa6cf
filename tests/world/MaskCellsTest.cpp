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

} // namespace
