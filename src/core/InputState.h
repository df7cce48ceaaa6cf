#pragma once
// The keyboard and mouse, sampled once per frame so that every part of the
// game sees the same snapshot and can detect presses and releases as edges
// (down now and up last frame, or the reverse). The gamepad is sampled the
// same way, from a reading; the level asks for actions (app/Bindings.h),
// which any of their keys, mouse buttons or pad button can hold.

#include "core/Singleton.h"

#include "core/Gamepad.h"
#include "core/KeyboardPoller.h"

#include <SFML/System/Vector2.hpp>

namespace sf {
class Window;
class View;
} // namespace sf

class InputState : public Singleton<InputState> {
    friend class Singleton<InputState>;

  public:
    ~InputState();

    // Samples the real devices through the game window; the pointer is
    // taken into view units of the given view size (the camera's).
    void update(sf::Vector2f viewSize);
    // The same step from given device readings; update() feeds it the real ones.
    // keyDown(k) and buttonDown(b) answer whether key code k / mouse button b is held.
    template <typename KeyFn, typename ButtonFn>
    void sample(sf::Vector2i windowPosition, sf::Vector2u windowSize, sf::Vector2f viewSize, KeyFn keyDown,
                ButtonFn buttonDown);

    // The gamepad step: the reading becomes this frame's, the last one the previous.
    void samplePad(const PadReading& reading);
    // For frames whose input is written by hand: this frame's readings become the previous ones.
    void carryOver();
    // Nothing reaches the game while the window is in the background, and
    // nothing counts as released when the focus returns: sampling applies
    // this, and so must input written by hand.
    void applyFocusRule();

    bool pressed(int key) const { return keys[key] && !previousKeys[key]; }
    bool released(int key) const { return !keys[key] && previousKeys[key]; }
    bool buttonPressed(int button) const { return buttons[button] && !previousButtons[button]; }
    bool buttonReleased(int button) const { return !buttons[button] && previousButtons[button]; }

    // Actions through the bindings in force.
    bool held(Action action) const { return heldIn(action, keys, buttons, pad); }
    bool wasHeld(Action action) const { return heldIn(action, previousKeys, previousButtons, previousPad); }
    // A press of any one of its inputs, as each key was its own trigger before they were bound.
    bool actionPressed(Action action) const;
    bool actionReleased(Action action) const { return !held(action) && wasHeld(action); }
    // The left stick past its dead zone: length 0..1, so a partial tilt walks slower.
    sf::Vector2f moveStick() const;

    // Gamepad buttons, and the pad leaving (pulled out) since the last frame.
    bool padHeld(PadButton b) const { return pad.buttons[static_cast<std::size_t>(b)]; }
    bool padPressed(PadButton b) const {
        return padHeld(b) && !previousPad.buttons[static_cast<std::size_t>(b)];
    }
    bool padUnplugged() const { return previousPad.connected && !pad.connected; }

    // Menus: a direction pressed this frame on the arrow keys, the D-pad or
    // the left stick ((0, 0) when none); confirming (Enter, Space, pad A),
    // the second click (Tab, pad X) and going back (Escape, pad B).
    sf::Vector2i navigation() const;
    bool confirmPressed() const;
    bool secondPressed() const;
    bool backPressed() const;

    static constexpr int keyCount = 255;
    static constexpr int buttonCount = 5;

    bool keys[keyCount] = {};
    bool previousKeys[keyCount] = {};
    sf::Vector2i windowMouse, previousWindowMouse; // window pixels
    sf::Vector2i mouse, previousMouse;             // view units, 0..1920 x 0..1080
    bool buttons[buttonCount] = {};                // left, right, middle, two extra
    bool previousButtons[buttonCount] = {};
    bool hasFocus = true; // set by the window's focus events
    // The window lost the focus since the last frame, even if it is back:
    // the frame pauses a level for it once its input is sampled.
    bool focusLost = false;
    // Whether "Load Save" and "Load Autosave" have a file behind them, as
    // the disk said when this frame's input was sampled. Menus read these
    // instead of the disk, so a recording holds what they decided on.
    bool saveOnDisk = false, autosaveOnDisk = false;
    PadReading pad, previousPad;
    // The device used last: touching the pad hands it the aim, moving or
    // clicking the mouse takes it back.
    bool padActive = false;
    // Where the right stick last pointed (unit length); the aim stays there when the stick is let go.
    sf::Vector2f padAim{1, 0};

    // Maps a window pixel to view units at the given sizes, clamped to the view.
    static sf::Vector2i toViewUnits(sf::Vector2i windowPosition, sf::Vector2u windowSize,
                                    sf::Vector2f viewSize);

  private:
    InputState();
    static bool heldIn(Action action, const bool* keyTable, const bool* buttonTable,
                       const PadReading& reading);
    KeyboardPoller keyboard;
};

template <typename KeyFn, typename ButtonFn>
void InputState::sample(sf::Vector2i windowPosition, sf::Vector2u windowSize, sf::Vector2f viewSize,
                        KeyFn keyDown, ButtonFn buttonDown) {
    previousWindowMouse = windowMouse;
    windowMouse = windowPosition;
    if (!hasFocus) {
        applyFocusRule();
    } else {
        for (int k = 0; k < keyCount; ++k) {
            previousKeys[k] = keys[k];
            keys[k] = keyDown(k);
        }
        for (int b = 0; b < buttonCount; ++b) {
            previousButtons[b] = buttons[b];
            buttons[b] = buttonDown(b);
            if (buttons[b] && !previousButtons[b])
                padActive = false;
        }
    }
    if (windowMouse != previousWindowMouse)
        padActive = false;
    previousMouse = mouse;
    mouse = toViewUnits(windowMouse, windowSize, viewSize);
}
