#include "effects/lighting/LightSystem.h"
#include "effects/lighting/Light_Point.h"

#include <SFML/Graphics/View.hpp>
#include <gtest/gtest.h>

#include <cmath>

namespace {

void expectNear(sf::Vector2f actual, sf::Vector2f expected) {
    EXPECT_NEAR(actual.x, expected.x, 1e-3f);
    EXPECT_NEAR(actual.y, expected.y, 1e-3f);
}

TEST(LightBounds, AConeSpansItsCentreItsTwoEdgesAndItsMiddle) {
    ltbl::Light_Point light;
    light.radius = 100;
    light.spreadAngle = 1.5707964f; // a quarter turn, pointing right
    light.directionAngle = 0;
    light.setCenter({10, 20});
    const float edge = 100 * std::cos(0.7853982f);
    expectNear(light.aabb.lowerBound, {10, 20 - edge});
    expectNear(light.aabb.upperBound, {110, 20 + edge});
    // Pointing straight down (in the engine's y-up space) the box hangs below the centre.
    light.directionAngle = -1.5707964f;
    light.calculateAABB();
    expectNear(light.aabb.lowerBound, {10 - edge, -80});
    expectNear(light.aabb.upperBound, {10 + edge, 20});
}

TEST(LightSystemView, TheCameraViewIsFlippedIntoTheYUpSpace) {
    ltbl::LightSystem system(qdt::AABB::fromBounds({-1920, -1080}, {0, 0}), "data/lightFin.png",
                             "data/shaders/lightattenuationShader.frag");
    // A view whose top edge is at world y 200 covers light-space y from -200 to 880.
    system.setView(sf::View(sf::FloatRect(300, 200, 1920, 1080)));
    const qdt::AABB& box = system.getViewAABB();
    expectNear(box.center, {1260, 340});
    expectNear(box.halfDims, {960, 540});
    expectNear(box.lowerBound, {300, -200});
    expectNear(box.upperBound, {2220, 880});
}

} // namespace
