#include "core/Camera.h"
#include "core/Settings.h"

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
    // Part of the way in a short step.
    EXPECT_GT(camera->center.x, 960);
    EXPECT_LT(camera->center.x, 2000);
    EXPECT_EQ(camera->view.getCenter().x, std::trunc(camera->center.x));
    EXPECT_EQ(camera->view.getCenter().y, std::trunc(camera->center.y));
    // A long step jumps all the way.
    camera->step(0.1f, {2000, 1540}, &map);
    EXPECT_FLOAT_EQ(camera->center.x, 2000);
    EXPECT_EQ(camera->visibleArea, sf::IntRect(2000 - 960, 1540 - 540, 1920, 1080));
}

TEST_F(CameraTest, TheComfortSettingScalesTheShakeButNotItsRandomDraws) {
    // The same seed at each setting: the offset scales, and the draws after it stay in step.
    float offsetAtFull = 0, strengthAtFull = 0;
    int nextDraw = 0;
    for (int percent : {100, 50, 0}) {
        shakePercent = percent;
        std::srand(11);
        camera->screenMode = true;
        camera->shake = 10;
        camera->step(0.01f, {}, nullptr);
        const float offset = camera->view.getCenter().x - 960;
        // A draw steps by zero: the same picture, and no number drawn.
        camera->step(0, {}, nullptr);
        EXPECT_EQ(camera->view.getCenter().x - 960, offset);
        const int after = std::rand();
        if (percent == 100) {
            offsetAtFull = offset;
            strengthAtFull = camera->shake;
            nextDraw = after;
            ASSERT_NE(offsetAtFull, 0);
        }
        EXPECT_NEAR(offset, offsetAtFull * static_cast<float>(percent) / 100, 1e-3) << percent;
        EXPECT_FLOAT_EQ(camera->shake, strengthAtFull) << "the strength itself is never scaled";
        EXPECT_EQ(after, nextDraw) << percent;
    }
    shakePercent = 100;
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
