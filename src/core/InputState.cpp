#include "core/InputState.h"

#include "core/Picture.h"
#include "core/Settings.h"

#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Window/Mouse.hpp>

#include <algorithm>
#include <cmath>
#include <iostream>
#include <iterator>

InputState::InputState() {
    std::cout << "InputState's constructor was called" << std::endl;
}

InputState::~InputState() {
    std::cout << "InputStateManager's destructor was called" << std::endl;
}

sf::Vector2i InputState::toViewUnits(sf::Vector2i windowPosition, sf::Vector2u windowSize,
                                     sf::Vector2f viewSize) {
    int viewWidth = static_cast<int>(viewSize.x);
    int viewHeight = static_cast<int>(viewSize.y);
    if (windowSize.x == 0 || windowSize.y == 0)
        return {0, 0};
    int x = static_cast<int>(static_cast<float>(windowPosition.x) * viewSize.x /
                             static_cast<float>(windowSize.x));
    int y = static_cast<int>(static_cast<float>(windowPosition.y) * viewSize.y /
                             static_cast<float>(windowSize.y));
    return {std::clamp(x, 0, viewWidth), std::clamp(y, 0, viewHeight)};
}

void InputState::update(sf::Vector2f viewSize) {
    sf::RenderWindow& window = gameWindow();
    keyboard.poll();
    sample(
        intoPicture(sf::Mouse::getPosition(window), window.getSize(), letterbox), window.getSize(), viewSize,
        [this](int k) { return keyboard.isDown(static_cast<sf::Keyboard::Key>(k)); },
        [](int b) { return sf::Mouse::isButtonPressed(static_cast<sf::Mouse::Button>(b)); });
    samplePad(hasFocus ? readGamepad() : PadReading{readGamepad().connected, {}, {}, {}});
}

void InputState::samplePad(const PadReading& reading) {
    previousPad = pad;
    pad = reading;
    bool touched =
        applyDeadZone(pad.leftStick) != sf::Vector2f() || applyDeadZone(pad.rightStick) != sf::Vector2f();
    for (int b = 0; b < padButtonCount; ++b)
        touched = touched || padPressed(static_cast<PadButton>(b));
    if (touched)
        padActive = true;
    sf::Vector2f aim = applyDeadZone(pad.rightStick);
    float length = std::hypot(aim.x, aim.y);
    if (length > 0)
        padAim = aim / length;
}

void InputState::applyFocusRule() {
    if (hasFocus)
        return;
    std::fill(std::begin(keys), std::end(keys), false);
    std::fill(std::begin(previousKeys), std::end(previousKeys), false);
    std::fill(std::begin(buttons), std::end(buttons), false);
    std::fill(std::begin(previousButtons), std::end(previousButtons), false);
}

void InputState::carryOver() {
    std::copy(std::begin(keys), std::end(keys), std::begin(previousKeys));
    std::copy(std::begin(buttons), std::end(buttons), std::begin(previousButtons));
    previousMouse = mouse;
    previousPad = pad;
}

bool InputState::heldIn(Action action, const bool* keyTable, const bool* buttonTable,
                        const PadReading& reading) {
    std::size_t a = static_cast<std::size_t>(action);
    if (reading.connected && reading.buttons[static_cast<std::size_t>(bindings.pad[a])])
        return true;
    for (const BoundInput& input : bindings.inputs[a]) {
        bool key = input.kind == BoundInput::Kind::Key;
        int limit = key ? keyCount : buttonCount;
        if (input.code >= 0 && input.code < limit && (key ? keyTable : buttonTable)[input.code])
            return true;
    }
    return false;
}

bool InputState::actionPressed(Action action) const {
    std::size_t a = static_cast<std::size_t>(action);
    if (pad.connected && padPressed(bindings.pad[a]))
        return true;
    for (const BoundInput& input : bindings.inputs[a]) {
        int c = input.code;
        if (input.kind == BoundInput::Kind::Key ? c >= 0 && c < keyCount && pressed(c)
                                                : c >= 0 && c < buttonCount && buttonPressed(c))
            return true;
    }
    return false;
}

sf::Vector2f InputState::moveStick() const {
    return pad.connected ? applyDeadZone(pad.leftStick) : sf::Vector2f();
}

namespace {
// The stick's direction as a menu step: one axis, past half tilt.
sf::Vector2i stickStep(const PadReading& reading) {
    sf::Vector2f s = reading.connected ? reading.leftStick : sf::Vector2f();
    if (std::abs(s.x) < 0.5f && std::abs(s.y) < 0.5f)
        return {0, 0};
    if (std::abs(s.x) >= std::abs(s.y))
        return {s.x > 0 ? 1 : -1, 0};
    return {0, s.y > 0 ? 1 : -1};
}
} // namespace

sf::Vector2i InputState::navigation() const {
    using K = sf::Keyboard;
    if (pressed(K::Up) || padPressed(PadButton::DpadUp))
        return {0, -1};
    if (pressed(K::Down) || padPressed(PadButton::DpadDown))
        return {0, 1};
    if (pressed(K::Left) || padPressed(PadButton::DpadLeft))
        return {-1, 0};
    if (pressed(K::Right) || padPressed(PadButton::DpadRight))
        return {1, 0};
    sf::Vector2i step = stickStep(pad);
    return step != stickStep(previousPad) ? step : sf::Vector2i();
}

bool InputState::confirmPressed() const {
    return pressed(sf::Keyboard::Enter) || pressed(sf::Keyboard::Space) || padPressed(PadButton::A);
}

bool InputState::secondPressed() const {
    return pressed(sf::Keyboard::Tab) || padPressed(PadButton::X);
}

bool InputState::backPressed() const {
    return pressed(sf::Keyboard::Escape) || padPressed(PadButton::B);
}
