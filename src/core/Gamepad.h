#pragma once
// One reading of a gamepad: what the game needs from the device, in the same
// shape whether it came from the joystick driver or from a test. The first
// connected pad is read; the stick and trigger scales are the usual ones
// (-1..1 and 0..1).

#include "core/Bindings.h"

#include <SFML/System/Vector2.hpp>

#include <array>

struct PadReading {
    bool connected = false;
    std::array<bool, padButtonCount> buttons{}; // the triggers and D-pad too, already thresholded
    sf::Vector2f leftStick, rightStick;         // raw, y down
};

// The first connected joystick, read through the graphics library.
PadReading readGamepad();

// Sticks rest a little off centre: inside `deadZone` a stick reads zero, and
// the rest of its travel is stretched to reach 1 at full tilt, never more.
sf::Vector2f applyDeadZone(sf::Vector2f raw, float deadZone = 0.25f);
