#pragma once
// The keyboard and mouse, sampled once per frame so that every part of the
// game sees the same snapshot and can detect presses and releases as edges
// (down now and up last frame, or the reverse).

#include "app/Singleton.h"

#include "app/KeyboardPoller.h"

#include <SFML/System/Vector2.hpp>

namespace sf {
class Window;
class View;
} // namespace sf

class InputState : public Singleton<InputState> {
    friend class Singleton<InputState>;

  public:
    ~InputState();

    // Samples the real devices through the game window and the camera's view.
    void update();
    // The same step from given device readings; update() feeds it the real ones.
    // keyDown(k) and buttonDown(b) answer whether key code k / mouse button b is held.
    template <typename KeyFn, typename ButtonFn>
    void sample(sf::Vector2i windowPosition, sf::Vector2u windowSize, sf::Vector2f viewSize, KeyFn keyDown,
                ButtonFn buttonDown);

    bool pressed(int key) const { return keys[key] && !previousKeys[key]; }
    bool released(int key) const { return !keys[key] && previousKeys[key]; }
    bool buttonPressed(int button) const { return buttons[button] && !previousButtons[button]; }
    bool buttonReleased(int button) const { return !buttons[button] && previousButtons[button]; }

    static constexpr int keyCount = 255;

    bool keys[keyCount] = {};
    bool previousKeys[keyCount] = {};
    sf::Vector2i windowMouse, previousWindowMouse; // window pixels
    sf::Vector2i mouse, previousMouse;             // view units, 0..1920 x 0..1080
    bool buttons[3] = {};                          // left, right, middle
    bool previousButtons[3] = {};
    bool hasFocus = true; // set by the window's focus events

    // Maps a window pixel to view units at the given sizes, clamped to the view.
    static sf::Vector2i toViewUnits(sf::Vector2i windowPosition, sf::Vector2u windowSize,
                                    sf::Vector2f viewSize);

  private:
    InputState();
    KeyboardPoller keyboard;
};

template <typename KeyFn, typename ButtonFn>
void InputState::sample(sf::Vector2i windowPosition, sf::Vector2u windowSize, sf::Vector2f viewSize,
                        KeyFn keyDown, ButtonFn buttonDown) {
    previousWindowMouse = windowMouse;
    windowMouse = windowPosition;
    if (!hasFocus) {
        // Nothing reaches the game while the window is in the background, and
        // nothing counts as released when focus returns.
        for (int k = 0; k < keyCount; ++k)
            keys[k] = previousKeys[k] = false;
        for (int b = 0; b < 3; ++b)
            buttons[b] = previousButtons[b] = false;
    } else {
        for (int k = 0; k < keyCount; ++k) {
            previousKeys[k] = keys[k];
            keys[k] = keyDown(k);
        }
        for (int b = 0; b < 3; ++b) {
            previousButtons[b] = buttons[b];
            buttons[b] = buttonDown(b);
        }
    }
    previousMouse = mouse;
    mouse = toViewUnits(windowMouse, windowSize, viewSize);
}
