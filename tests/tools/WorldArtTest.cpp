// The world and interface images read back as the game uses them. They guard
// the faults that would not show until someone walks through a level or opens
// a menu: a cell the game addresses left empty, an image smaller than the
// rectangles the game cuts from it, and tiles meant to sit side by side that
// show a seam. The painters run once for the whole suite (a couple of seconds).
#include "GeneratedArt.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

using namespace artcheck;

namespace {

class WorldArt : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { art.generate("world_art", generateWorldAndInterfaceArt); }
    static void TearDownTestSuite() { art.run.reset(); }

    void SetUp() override { ASSERT_EQ(art.error, ""); }

    static sf::Image graphic(const std::string& file) { return loadPng(art.file("Graphics", file)); }

    static SharedRun art;
};

SharedRun WorldArt::art;

::testing::AssertionResult atLeast(const sf::Image& image, const std::string& file, unsigned w, unsigned h) {
    if (image.getSize().x < w || image.getSize().y < h)
        return ::testing::AssertionFailure()
               << file << " is " << image.getSize().x << "x" << image.getSize().y << ", smaller than the "
               << w << "x" << h << " the game addresses";
    return ::testing::AssertionSuccess();
}

Cell tile(int column, int row) {
    return {column * 64, row * 64, 64, 64};
}

float pixelDifference(sf::Color a, sf::Color b) {
    return static_cast<float>(std::abs(a.r - b.r) + std::abs(a.g - b.g) + std::abs(a.b - b.b)) / 3.0f;
}

// Mean colour step across the seam where tile `b` follows tile `a` to the
// right (and below), against the mean step between neighbouring pixels inside
// `a`. A seam may be a little rougher than the surface, never a visible edge.
::testing::AssertionResult seamless(const sf::Image& sheet, Cell a, Cell b) {
    auto pa = [&](int x, int y) {
        return sheet.getPixel(static_cast<unsigned>(a.x + x), static_cast<unsigned>(a.y + y));
    };
    auto pb = [&](int x, int y) {
        return sheet.getPixel(static_cast<unsigned>(b.x + x), static_cast<unsigned>(b.y + y));
    };
    float seamH = 0, seamV = 0, within = 0;
    for (int i = 0; i < 64; ++i) {
        seamH += pixelDifference(pa(63, i), pb(0, i));
        seamV += pixelDifference(pa(i, 63), pb(i, 0));
        for (int k = 1; k < 63; k += 7)
            within +=
                (pixelDifference(pa(k, i), pa(k + 1, i)) + pixelDifference(pa(i, k), pa(i, k + 1))) / 2.0f;
    }
    seamH /= 64;
    seamV /= 64;
    within /= 64.0f * 9.0f;
    float limit = within * 2.2f + 6.0f;
    if (seamH > limit || seamV > limit)
        return ::testing::AssertionFailure()
               << "TileShet.png tiles at (" << a.x << ", " << a.y << ") and (" << b.x << ", " << b.y
               << ") show a seam: mean step across it " << seamH << " horizontally, " << seamV
               << " vertically, allowed " << limit;
    return ::testing::AssertionSuccess();
}

TEST_F(WorldArt, TileSheetCellsAreFilledAndTileVariantsJoinWithoutSeams) {
    const std::string file = "TileShet.png";
    sf::Image sheet = graphic(file);
    ASSERT_TRUE(atLeast(sheet, file, 11 * 64, 11 * 64));
    // Walls: any variant of a theme may stand next to any other.
    for (int theme = 0; theme < 5; ++theme)
        for (int a = 0; a < 6; ++a) {
            EXPECT_TRUE(covered(sheet, file, tile(a, theme), 1.0f));
            for (int b = 0; b < 6; ++b)
                EXPECT_TRUE(seamless(sheet, tile(a, theme), tile(b, theme)));
        }
    // Yard and street ground, picked at random per cell.
    for (int row : {5, 6})
        for (int a = 0; a < 3; ++a) {
            EXPECT_TRUE(covered(sheet, file, tile(a, row), 1.0f));
            for (int b = 0; b < 3; ++b)
                EXPECT_TRUE(seamless(sheet, tile(a, row), tile(b, row)));
        }
    // Indoor floors repeat with themselves.
    for (int row : {8, 9, 10}) {
        EXPECT_TRUE(covered(sheet, file, tile(0, row), 1.0f));
        EXPECT_TRUE(seamless(sheet, tile(0, row), tile(0, row)));
    }
    // Furniture stands on the floor, so it only needs to be clearly there.
    for (int row : {0, 1})
        for (int column = 6; column <= 10; ++column)
            EXPECT_TRUE(covered(sheet, file, tile(column, row), 0.25f));
}

TEST_F(WorldArt, ButtonAtlasHoldsEveryWidthInBothStates) {
    const std::string file = "Buttons.png";
    sf::Image buttons = graphic(file);
    ASSERT_TRUE(atLeast(buttons, file, 800, 424));
    // The hover frame of each rectangle is 400 pixels to its right.
    for (Cell c :
         {Cell{0, 360, 96, 64}, Cell{0, 240, 128, 64}, Cell{0, 110, 256, 128}, Cell{0, 0, 400, 110}}) {
        EXPECT_TRUE(covered(buttons, file, c, 0.9f));
        EXPECT_TRUE(covered(buttons, file, {c.x + 400, c.y, c.w, c.h}, 0.9f));
    }
}

TEST_F(WorldArt, EdgeSpritesCoverTheRectanglesTheMapDraws) {
    sf::Image edges = graphic("floorshado.png");
    ASSERT_TRUE(atLeast(edges, "floorshado.png", 4 * 96, 96));
    for (int k = 0; k < 4; ++k)
        EXPECT_TRUE(covered(edges, "floorshado.png", {k * 96 + 16, 16, 64, 64}, 0.05f));
    EXPECT_TRUE(atLeast(graphic("shado.png"), "shado.png", 96, 96));
}

TEST_F(WorldArt, ScreenImagesSpanTheView) {
    sf::Image background = graphic("MainmenuBG.png");
    // The menu pans the panorama 666 units across a 1920 x 1080 view.
    ASSERT_TRUE(atLeast(background, "MainmenuBG.png", 1920 + 666, 1080));
    EXPECT_TRUE(covered(background, "MainmenuBG.png", {0, 0, 1920 + 666, 1080}, 1.0f));
    sf::Image door = graphic("doors.png");
    ASSERT_TRUE(atLeast(door, "doors.png", 960, 1080));
    EXPECT_TRUE(covered(door, "doors.png", {0, 0, 960, 1080}, 1.0f));
    for (const char* file :
         {"MainmenuFG.png", "OptionsBG.png", "BloodyScreen.png", "GameInfoOverlay.png", "helpoverlay.png"})
        EXPECT_TRUE(atLeast(graphic(file), file, 1920, 1080));
    EXPECT_TRUE(atLeast(loadPng(art.file("data", "lightFin.png")), "lightFin.png", 2, 2));
}

// The display draws its bars first and these panels over them at (0, 0) and
// (1280, 840); each bar must show through a clear window of its own.
TEST_F(WorldArt, HudPanelsLeaveTheBarsClearWindows) {
    struct Panel {
        const char* file;
        int x, y;
        std::vector<Cell> bars; // in screen units
    };
    const Panel panels[] = {
        {"UIBG.png", 0, 0, {{140, 19, 350, 32}, {125, 60, 350, 32}, {100, 100, 200, 25}}},
        {"GunBG.png", 1280, 840, {{1600, 898, 200, 25}, {1600, 960, 200, 25}, {1600, 998, 200, 25}}},
    };
    for (const Panel& p : panels) {
        sf::Image image = graphic(p.file);
        for (const Cell& bar : p.bars) {
            int left = bar.x - p.x, top = bar.y - p.y;
            ASSERT_TRUE(atLeast(image, p.file, static_cast<unsigned>(left + bar.w + 6),
                                static_cast<unsigned>(top + bar.h + 6)));
            int opaqueInside = 0;
            for (int y = top - 2; y < top + bar.h + 2; ++y)
                for (int x = left - 2; x < left + bar.w + 2; ++x)
                    opaqueInside += image.getPixel(static_cast<unsigned>(x), static_cast<unsigned>(y)).a > 0;
            EXPECT_EQ(opaqueInside, 0) << p.file << " covers the bar at " << bar.x << ", " << bar.y;
            // Just outside the window the panel's rim is solid.
            EXPECT_GT(
                image.getPixel(static_cast<unsigned>(left - 4), static_cast<unsigned>(top + bar.h / 2)).a,
                200)
                << p.file;
        }
    }
}

} // namespace
