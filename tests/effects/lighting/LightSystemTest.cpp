#include "effects/lighting/LightSystem.h"
#include "effects/lighting/Light_Point.h"

#include <SFML/Graphics/Image.hpp>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace {

// Renders in the game's set-up: the region the world never enters, the
// files from the run directory, a 1920 x 1080 view at the world's origin.
class LightMap : public ::testing::Test {
  protected:
    void SetUp() override {
        system = std::make_unique<ltbl::LightSystem>(qdt::AABB::fromBounds({-1920, -1080}, {0, 0}),
                                                     "data/lightFin.png",
                                                     "data/shaders/lightattenuationShader.frag");
        ASSERT_TRUE(system->ready());
        system->setView(sf::View(sf::FloatRect(0, 0, 1920, 1080)));
        auto point = std::make_unique<ltbl::Light_Point>();
        point->radius = 900;
        point->size = 1;
        point->setCenter({960, 540});
        light = system->addLight(std::move(point));
    }
    ltbl::ConvexHull* addWall(sf::Vector2f centre) {
        auto hull = std::make_unique<ltbl::ConvexHull>();
        hull->setVertices({{0, 0}, {64, 0}, {64, 64}, {0, 64}});
        hull->centerHull();
        hull->calculateNormals();
        hull->generateAABB();
        hull->renderLightOverHull = false;
        hull->setWorldCenter(centre);
        return system->addConvexHull(std::move(hull));
    }
    sf::Image render() {
        system->renderLights();
        return system->getLightTexture().copyToImage();
    }
    // Brightness at a point in the light engine's coordinates (y up).
    static int brightness(const sf::Image& image, float x, float y) {
        sf::Color c = image.getPixel(static_cast<unsigned>(x), static_cast<unsigned>(1080 - y));
        return c.r + c.g + c.b;
    }
    std::unique_ptr<ltbl::LightSystem> system;
    ltbl::Light* light = nullptr;
};

TEST_F(LightMap, AWallShadowsWhatLiesBehindItUntilItIsRemoved) {
    ltbl::ConvexHull* wall = addWall({1160, 540});
    sf::Image image = render();
    EXPECT_EQ(brightness(image, 1400, 540), 0) << "behind the wall";
    EXPECT_EQ(brightness(image, 1160, 540), 0) << "the wall itself";
    EXPECT_GT(brightness(image, 1400, 760), 100) << "beside the shadow";
    EXPECT_GT(brightness(image, 760, 540), 100) << "in front of the light";

    system->removeConvexHull(wall);
    EXPECT_EQ(system->hullCount(), 0u);
    EXPECT_GT(brightness(render(), 1400, 540), 100) << "a destroyed wall loses its shadow at once";
}

TEST_F(LightMap, ARowOfWallsCastsOneUnbrokenShadow) {
    light->radius = 2200;
    light->calculateAABB();
    for (float x = 300; x <= 1100; x += 64)
        addWall({x, 200});
    sf::Image image = render();
    // Each tile throws its own shadow; where two meet no light may leak through.
    for (float x = 300; x <= 1000; x += 1)
        ASSERT_EQ(brightness(image, x, 100), 0) << "light leaks at x = " << x;
}

TEST_F(LightMap, SkippingWallsOutsideTheViewChangesNoPixel) {
    for (float x = -400; x < 2400; x += 200)
        for (float y : {-300.0f, 200.0f, 860.0f, 1300.0f})
            addWall({x, y});
    EXPECT_LT(system->shadowCasters(*light).size(), system->hullCount());
    sf::Image culled = render();
    system->cullHullsOutsideView = false;
    sf::Image full = render();
    ASSERT_EQ(culled.getSize(), full.getSize());
    const sf::Uint8* a = culled.getPixelsPtr();
    const sf::Uint8* b = full.getPixelsPtr();
    EXPECT_TRUE(std::equal(a, a + 1920 * 1080 * 4, b));
}

TEST_F(LightMap, SkippingWallsBehindNearerWallsChangesNoPixel) {
    // Two walled blocks of tiles on either side of the light, as in a street
    // between buildings, and a lone wall in the open.
    light->radius = 2200;
    light->setCenter({930, 510});
    for (float x = 200; x < 700; x += 64)
        for (float y = 100; y < 1000; y += 64)
            addWall({x, y});
    for (float x = 1200; x < 1500; x += 64)
        for (float y = 300; y < 700; y += 64)
            addWall({x, y});
    addWall({960, 900});
    std::size_t casters = system->shadowCasters(*light).size();
    sf::Image culled = render();
    system->cullHiddenHulls = false;
    EXPECT_LT(casters * 2, system->shadowCasters(*light).size()) << "most of each block is hidden";
    sf::Image full = render();
    const sf::Uint8* a = culled.getPixelsPtr();
    const sf::Uint8* b = full.getPixelsPtr();
    EXPECT_TRUE(std::equal(a, a + 1920 * 1080 * 4, b));
}

TEST_F(LightMap, TheLightMapStaysOpaqueUnderShadowsAndFins) {
    // What the map holds is light only: a fin's alpha left behind would dim
    // the lit pixels beside it once the map is blurred into the mask.
    for (float x = 700; x < 1300; x += 64)
        addWall({x, 300});
    addWall({1160, 540});
    sf::Image image = render();
    for (unsigned y = 0; y < 1080; y += 7)
        for (unsigned x = 0; x < 1920; x += 7)
            ASSERT_EQ(image.getPixel(x, y).a, 255) << x << ", " << y;
}

TEST_F(LightMap, AWallTooThinToHaveAnInsideCastsNoShadow) {
    auto hull = std::make_unique<ltbl::ConvexHull>();
    hull->setVertices({{0, 0}, {64, 0}});
    hull->calculateNormals();
    hull->generateAABB();
    hull->setWorldCenter({1160, 540});
    system->addConvexHull(std::move(hull));
    EXPECT_GT(brightness(render(), 1400, 540), 100);
}

TEST_F(LightMap, RemovingHullsInAnyOrderKeepsExactlyTheOthers) {
    // Each removal moves the last hull into the removed one's place.
    light->radius = 100000;
    light->calculateAABB();
    system->cullHullsOutsideView = false;
    system->cullHiddenHulls = false;
    std::srand(11);
    std::vector<ltbl::ConvexHull*> alive;
    for (int i = 0; i < 1500; ++i)
        alive.push_back(addWall(
            {static_cast<float>(std::rand() % 6000 - 2000), static_cast<float>(std::rand() % 6000 - 2000)}));
    for (int i = 0; i < 1000; ++i) {
        std::size_t at = static_cast<std::size_t>(std::rand()) % alive.size();
        system->removeConvexHull(alive[at]);
        alive.erase(alive.begin() + static_cast<std::ptrdiff_t>(at));
        if (i % 100 == 0 || i == 999) {
            ASSERT_EQ(system->hullCount(), alive.size());
            std::vector<ltbl::ConvexHull*> found = system->shadowCasters(*light);
            ASSERT_EQ(std::set<ltbl::ConvexHull*>(found.begin(), found.end()),
                      std::set<ltbl::ConvexHull*>(alive.begin(), alive.end()));
        }
    }
    // A hull of another system is not this one's to remove.
    ltbl::ConvexHull stranger;
    system->removeConvexHull(&stranger);
    EXPECT_EQ(system->hullCount(), alive.size());
}

TEST_F(LightMap, AViewWithoutAreaLeavesTheMapBlackAndOpenGLWithoutError) {
    // OpenGL refuses a projection of an empty box and reports it at its
    // next checked call, far from here.
    addWall({1160, 540});
    system->setView(sf::View(sf::FloatRect(0, 0, 0, 0)));
    ::testing::internal::CaptureStderr();
    sf::Image image = render();
    std::string log = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(log.find("OpenGL call failed"), std::string::npos) << log;
    for (unsigned y = 0; y < image.getSize().y; y += 60)
        for (unsigned x = 0; x < image.getSize().x; x += 60)
            ASSERT_EQ(image.getPixel(x, y), sf::Color::Black);
}

TEST_F(LightMap, AReducedMapHoldsTheSameLightAndShadowsAtItsOwnScale) {
    ltbl::LightSystem reduced(qdt::AABB::fromBounds({-1920, -1080}, {0, 0}), "data/lightFin.png",
                              "data/shaders/lightattenuationShader.frag", 4);
    ASSERT_EQ(reduced.getLightTexture().getSize(), sf::Vector2u(480, 270));
    reduced.setView(sf::View(sf::FloatRect(0, 0, 1920, 1080)));
    auto point = std::make_unique<ltbl::Light_Point>();
    point->radius = 900;
    point->size = 1;
    point->setCenter({960, 540});
    reduced.addLight(std::move(point));
    auto hull = std::make_unique<ltbl::ConvexHull>();
    hull->setVertices({{0, 0}, {64, 0}, {64, 64}, {0, 64}});
    hull->centerHull();
    hull->generateAABB();
    hull->renderLightOverHull = false;
    hull->setWorldCenter({1160, 540});
    reduced.addConvexHull(std::move(hull));
    reduced.renderLights();
    sf::Image image = reduced.getLightTexture().copyToImage();
    auto at = [&](float x, float y) {
        sf::Color c = image.getPixel(static_cast<unsigned>(x / 4), static_cast<unsigned>((1080 - y) / 4));
        return c.r + c.g + c.b;
    };
    EXPECT_GT(at(960, 540), 600);
    EXPECT_EQ(at(1400, 540), 0) << "behind the wall";
    EXPECT_GT(at(1400, 760), 100) << "beside the shadow";
}

} // namespace
