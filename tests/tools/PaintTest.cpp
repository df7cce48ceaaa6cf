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
