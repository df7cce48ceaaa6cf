#include "effects/lighting/LightRaster.h"
#include "core/Camera.h"
#include "core/Globals.h"
#include "effects/lighting/LightRasterReference.h"
#include "effects/lighting/LightSystem.h"
#include "effects/lighting/Light_Point.h"
#include "world/CameraFollow.h"
#include "world/Map.h"
#include "world/Maphandler.h"

#include <SFML/Graphics/Image.hpp>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <memory>
#include <random>
#include <string>

namespace {

struct Apart {
    int beyondOne = 0; // pixels with a channel more than 1 apart
    int beyondTwo = 0; // and more than 2
    double mean = 0;   // mean absolute difference per channel
    std::size_t pixels = 0;
};

// The light map as the renderer draws it against the processor's painting.
Apart paintedAgainstDrawn(ltbl::LightSystem& system) {
    system.paintedByProcessor = false;
    system.renderLights();
    const sf::Image drawn = system.getLightTexture().copyToImage();
    system.paintedByProcessor = true;
    system.renderLights();
    const sf::Image painted = system.getLightTexture().copyToImage();
    EXPECT_EQ(drawn.getSize(), painted.getSize());
    const sf::Uint8* p = drawn.getPixelsPtr();
    const sf::Uint8* q = painted.getPixelsPtr();
    Apart apart;
    apart.pixels = static_cast<std::size_t>(drawn.getSize().x) * drawn.getSize().y;
    double total = 0;
    for (std::size_t i = 0; i < apart.pixels; ++i) {
        int worst = 0;
        for (std::size_t c = 0; c < 4; ++c) {
            const int d = std::abs(int(p[4 * i + c]) - int(q[4 * i + c]));
            worst = std::max(worst, d);
            total += d;
        }
        apart.beyondOne += worst > 1;
        apart.beyondTwo += worst > 2;
    }
    apart.mean = total / (4.0 * static_cast<double>(apart.pixels));
    return apart;
}

// The painting and the renderer round a light to the same level or one
// apart: the painting's light is the round disc the renderer's fan of 48
// sides stands for (at most 0.8 of a level brighter between the fan's
// corners), centred on the nearest pixel (at most half a level). Two lights
// are each rounded before they add up, so they may come two apart. Only a
// pixel whose centre lies on a shadow's edge, within the renderer's rounding
// of where that edge falls, may go either way: a handful per picture.
void expectAlike(const Apart& apart, int lights, const std::string& where) {
    EXPECT_LE(lights > 1 ? apart.beyondTwo : apart.beyondOne, 8) << where;
    EXPECT_LT(apart.mean, 0.4) << where;
}

// Generated levels at the game's quarter size, still and turned by a shake.
TEST(PaintedLightMap, HoldsWhatTheRendererDrawsOfALevel) {
    Maphandler* handler = Maphandler::getInstance();
    Camera* camera = Camera::getInstance();
    for (int level : {1, 30, 60}) {
        std::srand(42);
        levelNumber = level;
        handler->newMap(level);
        snapCameraToPlayer();
        Map* map = handler->currentMap();
        ASSERT_NE(map, nullptr);
        map->draw(); // the player's light goes to the player
        for (float turn : {0.0f, 3.0f}) {
            camera->view.setRotation(turn);
            map->lighting.system->setView(camera->view);
            expectAlike(paintedAgainstDrawn(*map->lighting.system), 1,
                        "level " + std::to_string(level) + " turned " + std::to_string(turn));
        }
        camera->view.setRotation(0);
    }
}

// At full size the fins are wide enough to show; a second light adds to the
// first as the renderer adds it, a coloured one without the shader's curve
// and a cone, and so does a third whose centre lies beyond the map; and a
// hull that lets light over itself keeps its own area lit.
TEST(PaintedLightMap, HoldsWhatTheRendererDrawsOfOddLightsAndHulls) {
    ltbl::LightSystem system(qdt::AABB::fromBounds({-1920, -1080}, {0, 0}), "data/lightFin.png",
                             "data/shaders/lightattenuationShader.frag");
    ASSERT_TRUE(system.ready());
    system.setView(sf::View(sf::FloatRect(0, 0, 1920, 1080)));
    auto point = std::make_unique<ltbl::Light_Point>();
    point->radius = 1400;
    point->size = 30; // a wide source: wide fins
    point->setCenter({930, 510});
    system.addLight(std::move(point));
    for (float x = 200; x < 1800; x += 220)
        for (float y = 150; y < 1000; y += 260) {
            auto hull = std::make_unique<ltbl::ConvexHull>();
            // Squares, and every third one a hexagon-like shape lit over itself.
            if (static_cast<int>(x + y) % 3 == 0)
                hull->setVertices({{0, 0}, {40, -20}, {80, 0}, {80, 50}, {40, 70}, {0, 50}});
            else
                hull->setVertices({{0, 0}, {64, 0}, {64, 64}, {0, 64}});
            hull->centerHull();
            hull->generateAABB();
            hull->renderLightOverHull = static_cast<int>(x + y) % 3 == 0;
            hull->setWorldCenter({x, y});
            system.addConvexHull(std::move(hull));
        }
    expectAlike(paintedAgainstDrawn(system), 1, "one light");

    auto cone = std::make_unique<ltbl::Light_Point>();
    cone->radius = 900;
    cone->size = 10;
    cone->color = {0.9f, 0.5f, 0.2f};
    cone->intensity = 0.8f;
    cone->useShader = false;
    cone->directionAngle = 0.6f;
    cone->spreadAngle = 1.2f;
    cone->setCenter({1300, 700});
    cone->calculateAABB();
    system.addLight(std::move(cone));
    expectAlike(paintedAgainstDrawn(system), 2, "two lights, one a cone");

    auto beyond = std::make_unique<ltbl::Light_Point>();
    beyond->radius = 700;
    beyond->setCenter({-200, 300});
    system.addLight(std::move(beyond));
    expectAlike(paintedAgainstDrawn(system), 2, "and a third beyond the map's edge");
}

} // namespace

namespace {

// A light or a shadow at no real place (a position gone to infinity or not
// a number) paints nothing and leaves the rest of the map as it was.
TEST(PaintedLightMap, ALightOrShadowAtNoRealPlacePaintsNothing) {
    const float nan = std::numeric_limits<float>::quiet_NaN(), inf = std::numeric_limits<float>::infinity();
    ltbl::LightRaster raster;
    raster.reset(48, 27);
    ltbl::LightRaster::Disc disc;
    disc.radius = 100;
    disc.centre = {nan, 10};
    raster.addDisc(disc);
    disc.centre = {inf, -inf};
    raster.addDisc(disc);
    for (std::size_t i = 0; i < 48 * 27 * 4; i += 4)
        ASSERT_EQ(raster.pixels()[i], 0) << i / 4;
    disc.centre = {24, 13};
    raster.shadow({{nan, 0}, {10, 0}, {10, 10}});
    raster.shadow({{0, 0}, {inf, 0}, {10, 10}});
    raster.addDisc(disc);
    for (std::size_t i = 0; i < 48 * 27 * 4; i += 4)
        ASSERT_GT(raster.pixels()[i], 0) << i / 4;
}

} // namespace

namespace {

// Random scenes painted by the raster and worked out pixel by pixel: lights
// round and coned, grey and coloured, shaped and straight, some beyond the
// map or at no reach; shadows of up to eight corners, fins, and blurs at
// offsets between pixels. Maps of one size come back to back, as frames do,
// and some are read before any light is added or left with shadows no light
// used.
TEST(PaintedLightMap, PaintsAndBlursAsThePlainReckoning) {
    std::mt19937 random(7);
    auto uniform = [&](float low, float high) {
        return std::uniform_real_distribution<float>(low, high)(random);
    };
    auto oneIn = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(random) == 0; };
    std::vector<std::uint8_t> finAlpha(64);
    for (std::uint8_t& a : finAlpha)
        a = static_cast<std::uint8_t>(random() % 256);
    ltbl::LightRaster raster;
    ReferenceRaster plain;
    unsigned w = 48, h = 27;
    for (int scene = 0; scene < 80; ++scene) {
        if (oneIn(4)) {
            w = 1 + random() % 90;
            h = 1 + random() % 60;
        }
        raster.reset(w, h);
        plain.reset(w, h);
        const float wf = static_cast<float>(w), hf = static_cast<float>(h);
        auto fin = [&] {
            const sf::Vector2f corner(uniform(-5, wf + 5), uniform(-5, hf + 5));
            const sf::Vector2f inner = corner + sf::Vector2f(uniform(-30, 30), uniform(-30, 30));
            const sf::Vector2f outer = corner + sf::Vector2f(uniform(-30, 30), uniform(-30, 30));
            raster.fadeFin(corner, inner, outer, finAlpha);
            plain.fadeFin(corner, inner, outer, finAlpha);
        };
        auto shadow = [&] {
            // A convex polygon: corners at rising angles around a centre.
            std::vector<float> angles(3 + random() % 6);
            for (float& a : angles)
                a = uniform(0, 6.2831853f);
            std::sort(angles.begin(), angles.end());
            const sf::Vector2f centre(uniform(-10, wf + 10), uniform(-10, hf + 10));
            const float reach = uniform(1, 40);
            std::vector<sf::Vector2f> polygon;
            for (float a : angles)
                polygon.push_back(centre + reach * sf::Vector2f(std::cos(a), std::sin(a)));
            raster.shadow(polygon);
            plain.shadow(polygon);
        };
        if (oneIn(6))
            fin(); // on a map no light has touched
        const int lights = static_cast<int>(random() % 4);
        for (int l = 0; l < lights; ++l) {
            for (int s = static_cast<int>(random() % 7); s > 0; --s)
                shadow();
            ltbl::LightRaster::Disc disc;
            disc.centre = {uniform(-30, wf + 30), uniform(-30, hf + 30)};
            disc.radius = oneIn(8) ? 0 : uniform(5, 300);
            disc.unitsPerPixel = {uniform(0.5f, 5), uniform(0.5f, 5)};
            disc.shaped = !oneIn(3);
            const float grey = uniform(0.2f, 1.3f);
            disc.colour = oneIn(2) ? sf::Vector3f(grey, grey, grey)
                                   : sf::Vector3f(uniform(0, 1.3f), uniform(0, 1.3f), uniform(0, 1.3f));
            if (oneIn(3)) {
                const float a = uniform(0, 6.2831853f);
                disc.axis = {std::cos(a), std::sin(a)};
                disc.spread = uniform(0.3f, 6);
            }
            raster.addDisc(disc);
            plain.addDisc(disc);
            for (int f = static_cast<int>(random() % 6); f > 0; --f)
                fin();
        }
        const std::uint8_t* painted = raster.pixels();
        for (std::size_t i = 0; i < plain.texels.size(); ++i)
            for (std::size_t c = 0; c < 4; ++c)
                ASSERT_EQ(painted[4 * i + c], plain.texels[i][c])
                    << "scene " << scene << " pixel " << i % w << ", " << i / w << " channel " << c;
        const sf::Vector2f offset(uniform(0, 9), uniform(0, 9));
        std::vector<std::uint8_t> blurred;
        raster.blurBrightest(blurred, offset);
        ASSERT_EQ(blurred, plain.blurBrightest(offset)) << "scene " << scene;
        if (oneIn(5))
            shadow(); // left for no light: the next map starts clear
    }
}

} // namespace
