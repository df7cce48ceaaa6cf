#include "app/MenuButton.h"
#include "core/Camera.h"
#include "core/InputState.h"

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

} // namespace
