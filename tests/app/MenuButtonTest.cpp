#include "app/MenuButton.h"
#include "app/Camera.h"
#include "app/InputState.h"

#include <gtest/gtest.h>

namespace {

int leftClicks = 0;
int rightClicks = 0;
bool switchedOn = true;

void countLeft() {
    ++leftClicks;
}
void countRight() {
    ++rightClicks;
}
bool isSwitchedOn() {
    return switchedOn;
}

class MenuButtonTest : public ::testing::Test {
  protected:
    void SetUp() override {
        leftClicks = rightClicks = 0;
        switchedOn = true;
        input = InputState::getInstance();
        Camera::getInstance()->screenMode = true;
        Camera::getInstance()->shake = 0;
        setMouse({1550, 100}, false, false);
        setMouse({1550, 100}, false, false);
    }
    // One frame of input: where the mouse is and which buttons are held.
    void setMouse(sf::Vector2i at, bool left, bool right) {
        input->previousMouse = input->mouse;
        input->mouse = at;
        input->previousButtons[0] = input->buttons[0];
        input->previousButtons[1] = input->buttons[1];
        input->buttons[0] = left;
        input->buttons[1] = right;
    }
    MenuButton make(int slideAxis = -1, const std::string& alt = "") {
        return MenuButton({1550, 100}, {256, 128}, countLeft, countRight, isSwitchedOn, slideAxis, "New Game",
                          alt);
    }
    InputState* input = nullptr;
};

TEST_F(MenuButtonTest, PicksTheAtlasFrameByWidth) {
    EXPECT_EQ(MenuButton::atlasFrame(64), sf::IntRect(0, 360, 96, 64));
    EXPECT_EQ(MenuButton::atlasFrame(65), sf::IntRect(0, 240, 128, 64));
    EXPECT_EQ(MenuButton::atlasFrame(256), sf::IntRect(0, 110, 256, 128));
    EXPECT_EQ(MenuButton::atlasFrame(300), sf::IntRect(0, 0, 400, 110));
}

TEST_F(MenuButtonTest, EveryClickSoundsAtAPitchTheAudioAccepts) {
    for (int roll = -150; roll <= 400; ++roll)
        EXPECT_GT(MenuButton::leftClickPitch(roll), 0.0f) << roll;
    for (int roll = -100; roll <= 100; ++roll)
        EXPECT_GT(MenuButton::rightClickPitch(roll), 0.0f) << roll;
    // The spread is kept where it was valid: low, plain and high clicks.
    EXPECT_FLOAT_EQ(MenuButton::rightClickPitch(-45), 0.5f);
    EXPECT_FLOAT_EQ(MenuButton::rightClickPitch(0), 1.0f);
    EXPECT_FLOAT_EQ(MenuButton::leftClickPitch(300), 2.0f);
}

TEST_F(MenuButtonTest, HoverLightsHoldPressesReleaseFiresOnce) {
    MenuButton button = make();
    button.update(0.01f);
    EXPECT_EQ(button.shape.getTextureRect().left, 400) << "hover frame";

    setMouse({1550, 100}, true, false);
    button.update(0.01f);
    EXPECT_EQ(button.shape.getTextureRect().left, 0) << "pressed look while held";
    EXPECT_EQ(leftClicks, 0);

    setMouse({1550, 100}, false, false);
    button.update(0.01f);
    EXPECT_EQ(leftClicks, 1);
    EXPECT_GT(Camera::getInstance()->shake, 0.99f);
    setMouse({1550, 100}, false, false);
    button.update(0.01f);
    EXPECT_EQ(leftClicks, 1);

    setMouse({1550, 100}, false, true);
    button.update(0.01f);
    setMouse({1550, 100}, false, false);
    button.update(0.01f);
    EXPECT_EQ(rightClicks, 1);
}

TEST_F(MenuButtonTest, IgnoresClicksOutsideOrWhileDisabled) {
    MenuButton button = make();
    setMouse({1000, 100}, true, false);
    button.update(0.01f);
    setMouse({1000, 100}, false, false);
    button.update(0.01f);
    EXPECT_EQ(button.shape.getTextureRect().left, 0);
    EXPECT_EQ(leftClicks, 0);

    switchedOn = false;
    setMouse({1550, 100}, true, false);
    button.update(0.01f);
    setMouse({1550, 100}, false, false);
    button.update(0.01f);
    EXPECT_FALSE(button.enabled);
    EXPECT_EQ(button.shape.getTextureRect().left, 0);
    EXPECT_EQ(leftClicks, 0);
    // It lights up again in the first frame its condition holds.
    switchedOn = true;
    button.update(0.01f);
    EXPECT_TRUE(button.enabled);
    EXPECT_EQ(button.shape.getTextureRect().left, 400);
}

TEST_F(MenuButtonTest, SlidesInFromTheLeftAndRestsShortOfItsTarget) {
    MenuButton button = make(0);
    EXPECT_EQ(button.current.x, 1550 - 1920);
    int previous = button.current.x;
    for (int i = 0; i < 200; ++i) {
        button.update(0.01f);
        EXPECT_GE(button.current.x, previous);
        previous = button.current.x;
    }
    // Truncation leaves a button approaching a positive target from below up to 9 units short.
    EXPECT_LE(button.current.x, 1550);
    EXPECT_GE(button.current.x, 1541);
    EXPECT_EQ(button.bounds.left, button.current.x - 128);
}

TEST_F(MenuButtonTest, ShowsTheAlternateLabelForThreeSecondsAfterAClick) {
    MenuButton button = make(-1, "Saved!");
    EXPECT_LT(button.cooldown, 0);
    setMouse({1550, 100}, true, false);
    button.update(0.01f);
    setMouse({1550, 100}, false, false);
    button.update(0.01f);
    EXPECT_FLOAT_EQ(button.cooldown, 3.0f);
    for (int i = 0; i < 31; ++i) {
        setMouse({1550, 100}, false, false);
        button.update(0.1f);
    }
    EXPECT_LT(button.cooldown, 0);
}

} // namespace
