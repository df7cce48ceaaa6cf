#pragma once
// Input written frame by frame as the devices would give it: exactly the
// given keys held and the given pad reading, through the game's sampling
// seam (runScriptedFrame), one undrawn frame at the longest step. The
// golden-run recorder and the tests drive the real game with it.

#include "core/Gamepad.h"

#include <SFML/Window/Keyboard.hpp>

#include <functional>
#include <initializer_list>
#include <optional>

class ScriptedInput {
  public:
    using Key = sf::Keyboard::Key;

    // One frame with exactly these keys held and this pad reading (by
    // default a pad at rest, plugged in once a pad was used), in or out of
    // the window's focus.
    void frame(std::initializer_list<Key> held = {}, std::optional<PadReading> pad = std::nullopt,
               bool focus = true, bool focusLost = false);
    // A key or a pad button pressed for one frame and let go the next.
    void tap(Key key);
    void tap(PadButton button);
    void idle(int frames);

    // Called after each frame with whether the run's recording held it.
    std::function<void(bool recorded)> afterFrame;

  private:
    bool padPlugged = false;
};
