#include "core/Gamepad.h"

#include <SFML/Window/Joystick.hpp>

#include <algorithm>
#include <cmath>

namespace {

// The button numbers the Linux driver gives a twin-stick pad; the guide
// button in the middle pauses as Start does.
constexpr PadButton driverButtons[] = {PadButton::A,     PadButton::B,  PadButton::X,    PadButton::Y,
                                       PadButton::LB,    PadButton::RB, PadButton::Back, PadButton::Start,
                                       PadButton::Start, PadButton::LS, PadButton::RS};

float axis(unsigned pad, sf::Joystick::Axis a) {
    return sf::Joystick::hasAxis(pad, a) ? sf::Joystick::getAxisPosition(pad, a) / 100.0f : 0.0f;
}

// Triggers rest at -1 on the driver's scale and press down to 1; half way counts as held.
bool triggerHeld(unsigned pad, sf::Joystick::Axis a) {
    return sf::Joystick::hasAxis(pad, a) && sf::Joystick::getAxisPosition(pad, a) > 0;
}

} // namespace

PadReading readGamepad() {
    PadReading reading;
    for (unsigned pad = 0; pad < sf::Joystick::Count; ++pad) {
        if (!sf::Joystick::isConnected(pad))
            continue;
        reading.connected = true;
        unsigned count = std::min<unsigned>(sf::Joystick::getButtonCount(pad), std::size(driverButtons));
        for (unsigned b = 0; b < count; ++b)
            if (sf::Joystick::isButtonPressed(pad, b))
                reading.buttons[static_cast<std::size_t>(driverButtons[b])] = true;
        auto set = [&reading](PadButton b, bool down) {
            reading.buttons[static_cast<std::size_t>(b)] =
                reading.buttons[static_cast<std::size_t>(b)] || down;
        };
        set(PadButton::LT, triggerHeld(pad, sf::Joystick::Z));
        set(PadButton::RT, triggerHeld(pad, sf::Joystick::R));
        float povX = axis(pad, sf::Joystick::PovX), povY = axis(pad, sf::Joystick::PovY);
        set(PadButton::DpadLeft, povX < -0.5f);
        set(PadButton::DpadRight, povX > 0.5f);
        set(PadButton::DpadUp, povY < -0.5f);
        set(PadButton::DpadDown, povY > 0.5f);
        reading.leftStick = {axis(pad, sf::Joystick::X), axis(pad, sf::Joystick::Y)};
        reading.rightStick = {axis(pad, sf::Joystick::U), axis(pad, sf::Joystick::V)};
        break;
    }
    return reading;
}

sf::Vector2f applyDeadZone(sf::Vector2f raw, float deadZone) {
    float length = std::hypot(raw.x, raw.y);
    if (length <= deadZone || !std::isfinite(length))
        return {0, 0};
    float stretched = std::min((length - deadZone) / (1 - deadZone), 1.0f);
    return raw / length * stretched;
}
