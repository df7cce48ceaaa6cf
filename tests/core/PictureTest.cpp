#include "core/Picture.h"

#include "core/InputState.h"

#include <gtest/gtest.h>

namespace {

TEST(Picture, At16To9TheLogicalScreenKeepsItsShapeBetweenBarsAndThePointerStaysInLogicalUnits) {
    // A 1280 x 800 handheld: bars of 40 pixels above and below.
    const sf::Vector2u handheld(1280, 800);
    EXPECT_EQ(pictureViewport(handheld, false), sf::FloatRect(0, 0, 1, 1));
    EXPECT_FALSE(pictureHasBars(handheld, false));
    EXPECT_EQ(pictureViewport(handheld, true), sf::FloatRect(0, 0.05f, 1, 0.9f));
    // A wide screen gets them left and right; a 16:9 one none.
    EXPECT_EQ(pictureViewport({2560, 1080}, true), sf::FloatRect(0.125f, 0, 0.75f, 1));
    EXPECT_FALSE(pictureHasBars({1920, 1080}, true));
    EXPECT_FALSE(pictureHasBars({0, 0}, true));

    const sf::Vector2f logical(1920, 1080);
    auto pointer = [&](sf::Vector2i pixel, bool keepShape) {
        return InputState::toViewUnits(intoPicture(pixel, handheld, keepShape), handheld, logical);
    };
    EXPECT_EQ(pointer({640, 400}, true), sf::Vector2i(960, 540));
    EXPECT_EQ(pointer({0, 40}, true), sf::Vector2i(0, 0));
    EXPECT_EQ(pointer({1280, 760}, true), sf::Vector2i(1920, 1080));
    EXPECT_EQ(pointer({300, 10}, true), sf::Vector2i(450, 0)) << "a bar leads to the picture's edge";
    EXPECT_EQ(pointer({640, 40}, false), sf::Vector2i(960, 54)) << "stretched, as before";
    EXPECT_EQ(intoPicture({-5, 900}, handheld, false), sf::Vector2i(-5, 900));
}

} // namespace
