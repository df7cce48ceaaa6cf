#include "app/InputState.h"
#include "app/Game.h"
#include "app/TextEntry.h"

#include <gtest/gtest.h>

#include <set>

namespace {

class Input : public ::testing::Test {
  protected:
    void SetUp() override {
        input = InputState::getInstance();
        input->hasFocus = true;
        held.clear();
        heldButtons.clear();
        sample();
        sample();
    }
    void sample(sf::Vector2i at = {0, 0}, sf::Vector2u window = {1920, 1080}) {
        input->sample(
            at, window, sf::Vector2f(1920, 1080), [this](int k) { return held.count(k) > 0; },
            [this](int b) { return heldButtons.count(b) > 0; });
    }
    InputState* input = nullptr;
    std::set<int> held, heldButtons;
};

TEST_F(Input, EdgesLastExactlyOneFrame) {
    held = {36};
    sample();
    EXPECT_TRUE(input->pressed(36));
    sample();
    EXPECT_FALSE(input->pressed(36));
    EXPECT_TRUE(input->keys[36]);
    held.clear();
    sample();
    EXPECT_TRUE(input->released(36));
    sample();
    EXPECT_FALSE(input->released(36));

    heldButtons = {0};
    sample();
    EXPECT_TRUE(input->buttonPressed(0));
    heldButtons.clear();
    sample();
    EXPECT_TRUE(input->buttonReleased(0));
}

TEST_F(Input, NothingReachesTheGameWithoutFocus) {
    held = {22};
    heldButtons = {0};
    sample();
    input->hasFocus = false;
    sample();
    EXPECT_FALSE(input->keys[22]);
    // Losing focus is not a release.
    EXPECT_FALSE(input->released(22));
    EXPECT_FALSE(input->buttonReleased(0));
    sample();
    EXPECT_FALSE(input->keys[22]);
    // Back in focus with the key still held: a fresh press on the first focused frame.
    input->hasFocus = true;
    sample();
    EXPECT_TRUE(input->pressed(22));
    EXPECT_TRUE(input->buttonPressed(0));
}

TEST_F(Input, MouseIsMappedToTheFixedViewAndClamped) {
    sample({640, 360}, {1280, 720});
    EXPECT_EQ(input->mouse, sf::Vector2i(960, 540));
    EXPECT_EQ(input->windowMouse, sf::Vector2i(640, 360));
    sample({-40, 5000}, {1280, 720});
    EXPECT_EQ(input->mouse, sf::Vector2i(0, 1080));
    EXPECT_EQ(input->previousMouse, sf::Vector2i(960, 540));
    sample({3000, -1}, {800, 600});
    EXPECT_EQ(input->mouse, sf::Vector2i(1920, 0));
    EXPECT_EQ(InputState::toViewUnits({100, 100}, {0, 0}, {1920, 1080}), sf::Vector2i(0, 0));
}

TEST(FrameTime, ASlowFrameAdvancesTheGameByAtMostFortyMilliseconds) {
    EXPECT_FLOAT_EQ(capFrameTime(0.5f), 0.04f);
    EXPECT_FLOAT_EQ(capFrameTime(0.016f), 0.016f);
}

TEST(NameEntry, TakesPrintableCharactersUpToFifteen) {
    std::string name;
    for (sf::Uint32 c : {65u, 10u, 127u, 200u, 31u, 32u, 126u})
        typeCharacter(name, c);
    EXPECT_EQ(name, "A ~");
    name = std::string(14, 'x');
    typeCharacter(name, 'y');
    typeCharacter(name, 'z');
    EXPECT_EQ(name, std::string(14, 'x') + "y");
    eraseCharacter(name);
    EXPECT_EQ(name.size(), 14u);
    std::string empty;
    eraseCharacter(empty);
    EXPECT_TRUE(empty.empty());
}

} // namespace
