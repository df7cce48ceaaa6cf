#include "screens/Ingame.h"

#include "actors/Player.h"
#include "app/Game.h"
#include "app/GameStateHandler.h"
#include "app/OverlayInfoState.h"
#include "app/PauseMenu.h"
#include "core/InputState.h"
#include "core/Settings.h"

#include <SFML/Window/Event.hpp>
#include <gtest/gtest.h>

#include <tuple>

namespace {

class IngameInput : public ::testing::Test {
  protected:
    void SetUp() override {
        handler = GameStateHandler::getInstance();
        handler->states.clear();
        handler->delayActive = false;
        savedInfoOnce = showGameInfoOnce;
    }
    void TearDown() override {
        handler->states.clear();
        handler->delayActive = false;
        handler->pendingState = nullptr;
        Player::getInstance()->dead = false;
        showGameInfoOnce = savedInfoOnce;
    }
    // One frame in which the key went down.
    static void press(sf::Keyboard::Key key) {
        InputState* input = InputState::getInstance();
        for (int k = 0; k < InputState::keyCount; ++k)
            input->keys[k] = input->previousKeys[k] = false;
        for (int b = 0; b < 3; ++b)
            input->buttons[b] = input->previousButtons[b] = false;
        if (key != sf::Keyboard::Unknown)
            input->keys[key] = true;
    }
    GameStateHandler* handler = nullptr;
    bool savedInfoOnce = false;
};

TEST_F(IngameInput, LosingTheWindowsFocusPausesALevelOnlyWhenThePlayerAskedForIt) {
    Ingame* level = Ingame::getInstance();
    sf::Event lost, gained;
    lost.type = sf::Event::LostFocus;
    gained.type = sf::Event::GainedFocus;
    // {option on, player dead, state on top, whether the pause menu opens}
    const std::tuple<bool, bool, GameState*, bool> cases[] = {
        {false, false, level, false},
        {true, false, level, true},
        {true, true, level, false},
        {true, false, OverlayInfoState::getInstance(), false},
    };
    for (const auto& [option, dead, top, pauses] : cases) {
        pauseOnFocusLoss = option;
        Player::getInstance()->dead = dead;
        handler->states = {top, level};
        // Lost and back within one frame's events: the loss still counts,
        // and nothing pauses before the frame's input is taken.
        InputState::getInstance()->focusLost = false;
        handleWindowEvent(gameWindow(), lost);
        EXPECT_FALSE(InputState::getInstance()->hasFocus);
        handleWindowEvent(gameWindow(), gained);
        EXPECT_EQ(handler->top(), top);
        EXPECT_TRUE(InputState::getInstance()->focusLost);
        pauseIfFocusLost();
        EXPECT_EQ(handler->top() == PauseMenu::getInstance(), pauses) << option << dead;
    }
    pauseOnFocusLoss = false;
    InputState::getInstance()->focusLost = false;
    InputState::getInstance()->hasFocus = true;
}

TEST_F(IngameInput, EscapePausesAndF1ShowsTheOverlayWhichAClickCloses) {
    Ingame* level = Ingame::getInstance();
    handler->states = {level};
    press(sf::Keyboard::Escape);
    level->handleInput();
    EXPECT_EQ(handler->top(), PauseMenu::getInstance());
    // The Escape that opened the menu is still held on the next frame: it
    // counts as seen, and the menu stays. (The devices, which a recording
    // does not hold, are not read again in between.)
    InputState* held = InputState::getInstance();
    EXPECT_TRUE(held->keys[sf::Keyboard::Escape] && held->previousKeys[sf::Keyboard::Escape]);
    held->carryOver();
    PauseMenu::getInstance()->handleInput();
    EXPECT_EQ(handler->top(), PauseMenu::getInstance());
    handler->states = {level};

    press(sf::Keyboard::F1);
    level->handleInput();
    OverlayInfoState* overlay = OverlayInfoState::getInstance();
    ASSERT_EQ(handler->top(), overlay);
    // A button held since before the overlay opened does not close it on release...
    InputState* input = InputState::getInstance();
    input->keys[sf::Keyboard::F1] = input->previousKeys[sf::Keyboard::F1] = false;
    input->previousButtons[0] = true;
    overlay->handleInput();
    EXPECT_EQ(handler->top(), overlay);
    // ...a click made on it does.
    input->buttons[0] = true;
    input->previousButtons[0] = false;
    overlay->handleInput();
    input->buttons[0] = false;
    input->previousButtons[0] = true;
    overlay->handleInput();
    EXPECT_EQ(handler->top(), level);
    input->previousButtons[0] = false;
}

TEST_F(IngameInput, PauseFollowsItsBindingsAndAPadPulledOut) {
    Ingame* level = Ingame::getInstance();
    InputState* input = InputState::getInstance();
    bindings.rebind(Action::Pause, 0, {BoundInput::Kind::Key, sf::Keyboard::P});
    auto pad = [](bool connected, bool start) {
        PadReading reading{connected, {}, {}, {}};
        reading.buttons[static_cast<std::size_t>(PadButton::Start)] = start;
        return reading;
    };
    const struct {
        sf::Keyboard::Key key;
        PadReading before, now;
        bool pauses;
    } cases[] = {{sf::Keyboard::Escape, pad(false, false), pad(false, false), false},
                 {sf::Keyboard::P, pad(false, false), pad(false, false), true},
                 {sf::Keyboard::Unknown, pad(false, false), pad(true, false), false}, // plugged in
                 {sf::Keyboard::Unknown, pad(true, false), pad(false, false), true},  // pulled out
                 {sf::Keyboard::Unknown, pad(true, false), pad(true, true), true}};   // Start
    for (const auto& c : cases) {
        handler->states = {level};
        press(c.key);
        input->samplePad(c.before);
        input->samplePad(c.now);
        level->handleInput();
        EXPECT_EQ(handler->top() == PauseMenu::getInstance(), c.pauses) << c.key;
    }
    input->samplePad({});
    input->samplePad({});
    bindings = Bindings::defaults();
}

TEST_F(IngameInput, ADeadPlayerCannotPauseBeforeTheGameOver) {
    Ingame* level = Ingame::getInstance();
    handler->states = {level};
    Player::getInstance()->dead = true;
    press(sf::Keyboard::Escape);
    level->handleInput();
    EXPECT_EQ(handler->top(), level);
}

TEST_F(IngameInput, AFirstStartShowsTheOverlayOnceHalfASecondIn) {
    showGameInfoOnce = true;
    Ingame* level = Ingame::getInstance();
    handler->pushState(level);
    EXPECT_TRUE(handler->delayActive);
    EXPECT_EQ(handler->pendingState, OverlayInfoState::getInstance());
    EXPECT_FLOAT_EQ(handler->delayRemaining, 0.5f);
    EXPECT_FALSE(showGameInfoOnce);
    handler->delayActive = false;
    level->onEnter();
    EXPECT_FALSE(handler->delayActive);
}

} // namespace
