#include "core/InputState.h"
#include "app/Game.h"
#include "app/MenuState.h"
#include "core/TextEntry.h"

#include <gtest/gtest.h>

#include <cmath>
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

PadReading padWith(std::initializer_list<PadButton> down, sf::Vector2f left = {}, sf::Vector2f right = {}) {
    PadReading reading{true, {}, left, right};
    for (PadButton b : down)
        reading.buttons[static_cast<std::size_t>(b)] = true;
    return reading;
}

TEST(Gamepad, DeadZoneStopsDriftAndFullTiltNeverExceedsOne) {
    const struct {
        sf::Vector2f raw;
        float length;
    } cases[] = {{{0.2f, 0.1f}, 0}, {{1, 0}, 1}, {{1, 1}, 1}, {{0, -0.625f}, 0.5f}, {{NAN, 0}, 0}};
    for (const auto& c : cases) {
        sf::Vector2f v = applyDeadZone(c.raw);
        EXPECT_NEAR(std::hypot(v.x, v.y), c.length, 1e-4f) << c.raw.x << "," << c.raw.y;
    }
}

TEST_F(Input, APadDrivesActionsAimsAndHandsBackToTheMouse) {
    bindings = Bindings::defaults();
    input->samplePad({});
    input->samplePad(padWith({PadButton::LT}, {0.1f, 0}, {0, -1}));
    EXPECT_TRUE(input->actionPressed(Action::UseLeft));
    EXPECT_TRUE(input->padActive);
    EXPECT_EQ(input->padAim, sf::Vector2f(0, -1));
    EXPECT_EQ(input->moveStick(), sf::Vector2f()) << "inside the dead zone";
    input->samplePad(padWith({}));
    EXPECT_TRUE(input->actionReleased(Action::UseLeft)) << "a trigger throws a grenade as the button does";
    EXPECT_EQ(input->padAim, sf::Vector2f(0, -1)) << "the aim stays where the stick left it";

    sample({5, 5});
    EXPECT_FALSE(input->padActive) << "moving the mouse takes the aim back";
    input->samplePad(padWith({PadButton::DpadDown}));
    EXPECT_TRUE(input->padActive);
    EXPECT_EQ(input->navigation(), sf::Vector2i(0, 1));

    EXPECT_FALSE(input->padUnplugged());
    input->samplePad({});
    EXPECT_TRUE(input->padUnplugged());
    EXPECT_FALSE(input->held(Action::MoveDown));
    input->samplePad({});
    EXPECT_FALSE(input->padUnplugged()) << "reported once";
    input->samplePad(padWith({PadButton::Start}));
    EXPECT_TRUE(input->actionPressed(Action::Pause)) << "a pad plugged in works at once";
}

TEST(MenuFocus, MovesToTheNearestEnabledButtonAndWraps) {
    // A column of three with a disabled middle, and a button off to the right.
    const std::vector<sf::Vector2i> centres = {{100, 100}, {100, 250}, {100, 400}, {400, 260}};
    const std::vector<bool> enabled = {true, false, true, true};
    EXPECT_EQ(MenuState::nextFocus(centres, enabled, -1, {}), 0);
    EXPECT_EQ(MenuState::nextFocus(centres, enabled, 0, {0, 1}), 2) << "a disabled button is skipped";
    EXPECT_EQ(MenuState::nextFocus(centres, enabled, 0, {0, -1}), 2) << "up from the top wraps to the bottom";
    EXPECT_EQ(MenuState::nextFocus(centres, enabled, 2, {1, 0}), 3);
    EXPECT_EQ(MenuState::nextFocus(centres, enabled, 3, {1, 0}), 2)
        << "wraps to the far left, the nearer row first";
    EXPECT_EQ(MenuState::nextFocus(centres, {false, false, false, false}, -1, {}), -1);
}

TEST(NameEntry, APadSpellsLetterByLetter) {
    std::string name = "Z";
    for (sf::Vector2i step : {sf::Vector2i(0, -1), {1, 0}, {0, 1}, {0, 1}, {1, 0}, {-1, 0}})
        spellWithPad(name, step);
    EXPECT_EQ(name, "09");
}

} // namespace
