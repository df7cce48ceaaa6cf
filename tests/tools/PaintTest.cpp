// The CPU painter every image is drawn with. A fault here shows in every
// sprite at once: jagged or shrunken shapes, dark fringes from blending in the
// wrong space, outlines in front of the picture, rotated sprites landing in
// the wrong place, noise fields that repeat or leave their range, or PNGs that
// do not hold what was painted.
#include "Paint.h"
#include "GeneratedArt.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <functional>
#include <string>
#include <utility>

using paint::Canvas;
using paint::Rgba;

namespace {

constexpr float pi = 3.14159265f;

float totalAlpha(const Canvas& c) {
    float sum = 0;
    for (int y = 0; y < static_cast<int>(c.height()); ++y)
        for (int x = 0; x < static_cast<int>(c.width()); ++x)
            sum += c.get(x, y).a;
    return sum;
}

void expectColour(Rgba actual, Rgba expected, const std::string& where, float tolerance = 1e-4f) {
    EXPECT_NEAR(actual.r, expected.r, tolerance) << where;
    EXPECT_NEAR(actual.g, expected.g, tolerance) << where;
    EXPECT_NEAR(actual.b, expected.b, tolerance) << where;
    EXPECT_NEAR(actual.a, expected.a, tolerance) << where;
}

const Rgba red{1, 0, 0, 1}, blue{0, 0, 1, 1}, white{1, 1, 1, 1}, clear{};

} // namespace

TEST(PaintShapes, EdgesAreHalfCoveredWhereTheBoundaryCrossesThePixelCentre) {
    // Pixel centres sit at n + 0.5, so these boundaries pass right through them.
    Canvas rect(40, 40);
    rect.fillRect(10.5f, 10.5f, 20, 20, red);
    EXPECT_FLOAT_EQ(rect.get(20, 20).a, 1.0f);
    using Spot = std::pair<int, int>;
    for (auto [x, y] : {Spot{10, 20}, Spot{30, 20}, Spot{20, 10}, Spot{20, 30}})
        EXPECT_NEAR(rect.get(x, y).a, 0.5f, 1e-5f) << "rectangle edge pixel " << x << ", " << y;
    for (auto [x, y] : {Spot{9, 20}, Spot{31, 20}, Spot{20, 9}, Spot{20, 31}})
        EXPECT_EQ(rect.get(x, y).a, 0.0f) << "pixel " << x << ", " << y << " outside the rectangle";
    // Straight alpha: a partly covered pixel keeps the full colour, or every
    // anti-aliased edge would come out with a dark fringe.
    expectColour(rect.get(10, 20), {1, 0, 0, 0.5f}, "rectangle edge colour");

    Canvas circle(40, 40);
    circle.fillCircle(20.5f, 20.5f, 8, blue);
    EXPECT_FLOAT_EQ(circle.get(20, 20).a, 1.0f);
    EXPECT_NEAR(circle.get(28, 20).a, 0.5f, 1e-5f);
    EXPECT_NEAR(circle.get(20, 12).a, 0.5f, 1e-5f);
    EXPECT_EQ(circle.get(29, 20).a, 0.0f);
    EXPECT_EQ(circle.get(27, 27).a, 0.0f); // the corner of the bounding box
}

TEST(PaintShapes, EachShapeCoversItsGeometricArea) {
    // Summed coverage is the drawn area; a shape that comes out too fat or too
    // thin (a sign slip in a distance function, a wrong inside test, a
    // bounding box that clips) misses it by whole pixels.
    struct Case {
        const char* name;
        std::function<void(Canvas&)> draw;
        float area, tolerance;
    };
    const Case cases[] = {
        {"rectangle", [](Canvas& c) { c.fillRect(5.3f, 7.6f, 20, 12, white); }, 240.0f, 0.005f},
        {"rounded rectangle", [](Canvas& c) { c.fillRect(8, 8, 40, 30, white, 6); }, 1200.0f - (4 - pi) * 36,
         0.01f},
        {"circle", [](Canvas& c) { c.fillCircle(32.3f, 31.7f, 12, white); }, pi * 144, 0.01f},
        {"rotated ellipse", [](Canvas& c) { c.fillEllipse(32, 32, 20, 8, white, 0.5f); }, pi * 160, 0.02f},
        {"triangle",
         [](Canvas& c) {
             c.fillPolygon({{4, 4}, {60, 10}, {20, 58}}, white);
         },
         1464.0f, 0.01f},
        {"line", [](Canvas& c) { c.line(10, 10, 50, 40, 6, white); }, 50 * 6 + pi * 9, 0.01f},
        {"ring", [](Canvas& c) { c.ring(32, 32, 20, 4, white); }, 2 * pi * 20 * 4, 0.01f},
    };
    for (const Case& k : cases) {
        Canvas c(64, 64);
        k.draw(c);
        EXPECT_NEAR(totalAlpha(c), k.area, k.area * k.tolerance) << k.name;
    }
}

TEST(PaintBlending, SourceOverGivesTheRightColourAndAlpha) {
    const Rgba halfRed{1, 0, 0, 0.5f};
    Canvas c(5, 1);
    c.set(0, 0, blue);
    c.set(1, 0, clear);
    c.set(2, 0, {0, 0, 1, 0.5f});
    c.set(3, 0, white);
    c.set(4, 0, blue);
    c.blend(0, 0, halfRed);
    c.blend(1, 0, halfRed);
    c.blend(2, 0, halfRed);
    c.blend(3, 0, red, 0.25f);
    c.blend(4, 0, {1, 0, 0, 0});
    expectColour(c.get(0, 0), {0.5f, 0, 0.5f, 1}, "half red over opaque blue");
    // Over nothing the colour stays as painted; only the alpha is partial.
    expectColour(c.get(1, 0), halfRed, "half red over transparent");
    expectColour(c.get(2, 0), {2.0f / 3, 0, 1.0f / 3, 0.75f}, "half red over half blue");
    expectColour(c.get(3, 0), {1, 0.75f, 0.75f, 1}, "red at quarter coverage over white");
    expectColour(c.get(4, 0), blue, "fully transparent source");

    // Blitting applies the same rule, scaled by the opacity.
    Canvas under(1, 1, blue), over(1, 1, red);
    under.blit(over, 0, 0, 0.5f);
    expectColour(under.get(0, 0), {0.5f, 0, 0.5f, 1}, "red blitted at half opacity over blue");
}

TEST(PaintFilters, OutlineGrowsTheAlphaByItsWidthBehindThePicture) {
    const Rgba ink{0, 0, 0.1f, 1};
    Canvas c(11, 11);
    c.set(5, 5, white);
    c.outline(ink, 2);
    expectColour(c.get(5, 5), white, "the picture stays in front of its rim");
    using Offset = std::pair<int, int>;
    for (auto [dx, dy] : {Offset{1, 0}, Offset{0, -2}, Offset{2, 1}, Offset{-1, -2}, Offset{1, 1}})
        expectColour(c.get(5 + dx, 5 + dy), ink, "rim " + std::to_string(dx) + ", " + std::to_string(dy));
    for (auto [dx, dy] : {Offset{3, 0}, Offset{2, 2}, Offset{-2, -2}, Offset{0, 3}})
        EXPECT_EQ(c.get(5 + dx, 5 + dy).a, 0.0f) << "beyond the rim " << dx << ", " << dy;

    // A faint pixel casts a faint rim, so soft glows do not get hard dark edges.
    Canvas faint(5, 5);
    faint.set(2, 2, {1, 1, 1, 0.4f});
    faint.outline(ink, 1);
    EXPECT_NEAR(faint.get(3, 2).a, 0.4f, 1e-6f);
}

TEST(PaintFilters, BlurSpreadsAlphaWithoutDarkeningOrLosingIt) {
    Canvas c(40, 40);
    c.fillRect(16, 16, 8, 8, white);
    float before = totalAlpha(c);
    c.blur(3);
    EXPECT_NEAR(totalAlpha(c), before, before * 1e-4f);
    EXPECT_GT(c.get(14, 20).a, 0.0f);
    EXPECT_LT(c.get(16, 20).a, 1.0f);
    // Blurred in premultiplied space: transparent neighbours must not pull
    // the colour towards black.
    expectColour(c.get(14, 20), {1, 1, 1, c.get(14, 20).a}, "blurred fringe");
}

TEST(PaintTransforms, QuarterTurnMovesEveryPixelClockwise) {
    // A 4 x 2 strip of distinct colours turned by 90 degrees (y points down,
    // so positive angles turn clockwise on screen) about the centre of an
    // 8 x 8 canvas: its top row becomes the right column, read downward.
    Canvas src(4, 2);
    auto colourOf = [](int i, int j) {
        return Rgba{0.2f * static_cast<float>(i + 1), 0.5f * static_cast<float>(j), 0.3f, 1};
    };
    for (int j = 0; j < 2; ++j)
        for (int i = 0; i < 4; ++i)
            src.set(i, j, colourOf(i, j));
    Canvas out(8, 8);
    out.blitRotated(src, 4, 4, pi / 2);
    int painted = 0;
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            if (out.get(x, y).a > 0.01f)
                ++painted;
    EXPECT_EQ(painted, 8);
    for (int j = 0; j < 2; ++j)
        for (int i = 0; i < 4; ++i)
            expectColour(out.get(4 - j, 2 + i), colourOf(i, j),
                         "source " + std::to_string(i) + ", " + std::to_string(j), 1e-3f);
}

TEST(PaintTransforms, CropThenBlitRestoresTheRegion) {
    Canvas src(16, 16);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            src.set(x, y,
                    {static_cast<float>(x) / 15, static_cast<float>(y) / 15, 0.5f,
                     (x + y) % 3 == 0 ? 0.5f : 1.0f});
    Canvas piece = src.crop(3, 4, 8, 6);
    ASSERT_EQ(piece.width(), 8u);
    ASSERT_EQ(piece.height(), 6u);
    Canvas back(16, 16);
    back.blit(piece, 3, 4);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            bool within = x >= 3 && x < 11 && y >= 4 && y < 10;
            expectColour(back.get(x, y), within ? src.get(x, y) : clear,
                         "pixel " + std::to_string(x) + ", " + std::to_string(y), 1e-6f);
        }
    // Past the source's edge a crop is transparent, not garbage.
    Canvas edge = src.crop(14, 14, 4, 4);
    expectColour(edge.get(1, 1), src.get(15, 15), "inside the source");
    expectColour(edge.get(2, 1), clear, "right of the source");
    expectColour(edge.get(1, 3), clear, "below the source");
}

TEST(PaintNoise, StaysInRangeIsRepeatableAndVariesSmoothly) {
    float lowest = 1, highest = 0;
    bool seedsDiffer = false;
    for (float y = -40; y < 40; y += 1.37f)
        for (float x = -40; x < 40; x += 1.13f) {
            float n = paint::valueNoise(x, y, 7), f = paint::fbm(x / 8, y / 8, 5, 7);
            ASSERT_GE(n, 0.0f);
            ASSERT_LE(n, 1.0f);
            ASSERT_GE(f, 0.0f);
            ASSERT_LE(f, 1.0f);
            lowest = std::min(lowest, f);
            highest = std::max(highest, f);
            ASSERT_EQ(n, paint::valueNoise(x, y, 7));
            ASSERT_EQ(f, paint::fbm(x / 8, y / 8, 5, 7));
            seedsDiffer = seedsDiffer || paint::valueNoise(x, y, 8) != n;
            // Smooth: a hundredth of a lattice cell moves the value only slightly.
            ASSERT_LT(std::abs(paint::valueNoise(x + 0.01f, y, 7) - n), 0.05f) << x << ", " << y;
        }
    EXPECT_TRUE(seedsDiffer);
    // A field that hardly varies would paint every surface flat.
    EXPECT_GT(highest - lowest, 0.4f);
}

TEST(PaintRng, RangeStaysWithinItsInclusiveBoundsAndReachesBoth) {
    paint::Rng rng(5);
    bool sawLow = false, sawHigh = false;
    for (int i = 0; i < 2000; ++i) {
        int v = rng.range(-3, 3);
        ASSERT_GE(v, -3);
        ASSERT_LE(v, 3);
        sawLow = sawLow || v == -3;
        sawHigh = sawHigh || v == 3;
        float u = rng.uniform(2.5f, 4.0f);
        ASSERT_GE(u, 2.5f);
        ASSERT_LE(u, 4.0f);
        ASSERT_EQ(rng.range(9, 9), 9);
    }
    EXPECT_TRUE(sawLow);
    EXPECT_TRUE(sawHigh);
    paint::Rng a(77), b(77), c(78);
    bool differs = false;
    for (int i = 0; i < 8; ++i) {
        std::uint32_t va = a.next();
        EXPECT_EQ(va, b.next());
        differs = differs || va != c.next();
    }
    EXPECT_TRUE(differs);
}

TEST(PaintText, DrawsInkAtThePenAndAdvancesAsMeasured) {
    Canvas c(240, 60);
    const std::string word = "Vantreth";
    float advance = c.text(artcheck::sansFont, 24, word, 10, 40, white);
    EXPECT_GT(advance, 60.0f);
    EXPECT_FLOAT_EQ(advance, Canvas::measureText(artcheck::sansFont, 24, word));
    int minX = 240, maxX = -1, minY = 60, maxY = -1;
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 240; ++x)
            if (c.get(x, y).a > 0.5f) {
                minX = std::min(minX, x);
                maxX = std::max(maxX, x);
                minY = std::min(minY, y);
                maxY = std::max(maxY, y);
            }
    ASSERT_GE(maxX, 0) << "no ink drawn";
    // The glyphs sit on the baseline (no descenders in the word) and within the advance.
    EXPECT_GE(minX, 8);
    EXPECT_LE(maxX, static_cast<int>(10 + advance) + 1);
    EXPECT_LT(minY, 40 - 12);
    EXPECT_LE(maxY, 40);
    EXPECT_GE(maxY, 38);
}

TEST(PaintPng, SavedFileLoadsBackWithTheSamePixels) {
    Canvas c(3, 2);
    c.set(0, 0, {1, 0.5f, 0.25f, 0.5f}); // straight alpha: stored as painted, not premultiplied
    c.set(1, 0, {0.2f, 0.4f, 0.6f, 1});
    c.set(2, 0, {1.3f, -0.2f, 0.5f, 1.5f}); // out of range: clamped, not wrapped
    c.set(0, 1, clear);
    c.set(1, 1, {0, 0, 0, 1});
    c.set(2, 1, {1, 1, 1, 0.02f});
    std::filesystem::path path =
        std::filesystem::temp_directory_path() / ("vantreth_paint_" + std::to_string(::getpid()) + ".png");
    ASSERT_TRUE(c.savePng(path.string()));
    sf::Image image;
    ASSERT_TRUE(image.loadFromFile(path.string()));
    std::filesystem::remove(path);
    ASSERT_EQ(image.getSize(), sf::Vector2u(3, 2));
    const sf::Color expected[2][3] = {{{255, 128, 64, 128}, {51, 102, 153, 255}, {255, 0, 128, 255}},
                                      {{0, 0, 0, 0}, {0, 0, 0, 255}, {255, 255, 255, 5}}};
    for (unsigned y = 0; y < 2; ++y)
        for (unsigned x = 0; x < 3; ++x) {
            sf::Color got = image.getPixel(x, y), want = expected[y][x];
            EXPECT_EQ(got, want) << "pixel " << x << ", " << y << ": got " << int(got.r) << " " << int(got.g)
                                 << " " << int(got.b) << " " << int(got.a);
        }
}
