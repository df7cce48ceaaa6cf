#include "app/Camera.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

namespace {

class CameraTest : public ::testing::Test {
  protected:
    void SetUp() override {
        camera = Camera::getInstance();
        camera->screenMode = false;
        camera->shake = 0;
        camera->center = camera->target = sf::Vector2f(960, 540);
        std::srand(7);
    }
    Camera* camera = nullptr;
    const sf::Vector2f view{1920, 1080};
};

TEST_F(CameraTest, ClampKeepsTheViewInsideTheMap) {
    sf::Vector2f map(64 * 100, 64 * 60);
    EXPECT_EQ(Camera::clampToMap({0, 0}, view, map), sf::Vector2f(960, 540));
    EXPECT_EQ(Camera::clampToMap({1e6f, 1e6f}, view, map), sf::Vector2f(6400 - 960 - 64, 3840 - 540 - 64));
    EXPECT_EQ(Camera::clampToMap({3000, 2000}, view, map), sf::Vector2f(3000, 2000));
    // A map exactly one tile wider than the view pins x at half the view; a narrower one too.
    EXPECT_EQ(Camera::clampToMap({5000, 700}, view, {1920 + 64, 3840}).x, 960);
    EXPECT_EQ(Camera::clampToMap({5000, 700}, view, {640, 3840}).x, 960);
}

TEST_F(CameraTest, EasesTowardThePlayerAndSitsOnWholeUnits) {
    sf::Vector2f map(6400, 3840);
    camera->step(0.04f, {2000, 1540.7f}, &map);
    // 40% of the way at dt = 0.04.
    EXPECT_FLOAT_EQ(camera->center.x, 960 + (2000 - 960) * 0.4f);
    EXPECT_FLOAT_EQ(camera->center.y, 540 + (1540.7f - 540) * 0.4f);
    EXPECT_EQ(camera->view.getCenter().x, std::trunc(camera->center.x));
    EXPECT_EQ(camera->view.getCenter().y, std::trunc(camera->center.y));
    // A long step jumps all the way.
    camera->step(0.1f, {2000, 1540}, &map);
    EXPECT_FLOAT_EQ(camera->center.x, 2000);
    EXPECT_EQ(camera->visibleArea, sf::IntRect(2000 - 960, 1540 - 540, 1920, 1080));
}

TEST_F(CameraTest, WithoutAMapTheCameraStaysPut) {
    camera->center = {1500, 900};
    camera->step(0.04f, {5000, 5000}, nullptr);
    EXPECT_EQ(camera->center, sf::Vector2f(1500, 900));
    EXPECT_EQ(camera->view.getCenter(), sf::Vector2f(1500, 900));
}

TEST_F(CameraTest, ShakeIsCappedAndDecays) {
    sf::Vector2f map(6400, 3840);
    camera->shake = 12;
    camera->step(0, {960, 540}, &map);
    EXPECT_FLOAT_EQ(camera->shake, 10);
    camera->step(0.04f, {960, 540}, &map);
    EXPECT_FLOAT_EQ(camera->shake, 10 * 0.88f);
    // The view turns at most shake / 2 degrees and moves at most shake / 2 units.
    float angle = camera->view.getRotation();
    if (angle > 180)
        angle -= 360;
    EXPECT_LE(std::abs(angle), camera->shake * 0.5f + 1e-4f);
    EXPECT_LE(std::abs(camera->view.getCenter().x - 960), camera->shake * 0.5f + 1e-4f);
    for (int i = 0; i < 200; ++i)
        camera->step(0.04f, {960, 540}, &map);
    EXPECT_LT(camera->shake, 0.01f);
    camera->shake = -3;
    camera->step(0.04f, {960, 540}, &map);
    EXPECT_EQ(camera->shake, 0);
}

TEST_F(CameraTest, ScreenModeShowsTheFixedScreen) {
    camera->screenMode = true;
    camera->center = {4000, 4000};
    camera->step(0, {4000, 4000}, nullptr);
    EXPECT_EQ(camera->view.getCenter(), sf::Vector2f(960, 540));
    EXPECT_EQ(camera->visibleRect(), sf::IntRect(0, 0, 1920, 1080));
}

TEST_F(CameraTest, VisibilityIncludesTheEntityRadius) {
    camera->visibleArea = sf::IntRect(1000, 500, 1920, 1080);
    EXPECT_TRUE(camera->isVisible({1000, 500}, 0));
    EXPECT_FALSE(camera->isVisible({999, 600}, 0));
    EXPECT_TRUE(camera->isVisible({990, 600}, 20));
    EXPECT_TRUE(camera->isVisible({2919, 1579}, 0));
    EXPECT_FALSE(camera->isVisible({2920, 1000}, 0));
    EXPECT_TRUE(camera->isVisible({2935, 1000}, 20));
}

} // namespace
