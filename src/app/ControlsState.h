#pragma once
// The controls screen, opened from the options menu: every action with its
// keys and mouse buttons (two slots; a third or more from the file are kept)
// and its gamepad button. Choosing a slot waits for the next key, mouse
// button or pad button (Escape or pad B cancels); an input another action
// used moves over, and the screen says so. Every change is written to
// "Config.cfg" at once.

#include "app/MenuState.h"
#include "core/Bindings.h"
#include "core/Singleton.h"

#include <SFML/Graphics/Text.hpp>

#include <array>

class ControlsState : public MenuState, public Singleton<ControlsState> {
    friend class Singleton<ControlsState>;

  public:
    void onEnter() override;
    void update(float dt) override;
    void draw() override;
    void handleInput() override;

    // Starts waiting for an input for `action`: key slot 0 or 1, or the pad
    // button when `slot` is padSlot.
    void listen(Action action, int slot);
    static constexpr int padSlot = 2;
    bool listening() const { return waitingAction >= 0; }
    // Binds what was chosen, reports any move and saves; both the screen and tests use it.
    void bind(BoundInput input);
    void bindPad(PadButton button);
    void restoreDefaults();

    sf::Text status; // the last change, a move between actions, or a failed save

  private:
    ControlsState();
    void finishChange(int movedFrom, const std::string& inputText);

    int waitingAction = -1;
    int waitingSlot = 0;
    bool armed = false;    // the press that chose the slot must not be taken as its new input
    bool settling = false; // a mouse button just bound is still down
    std::array<sf::Text, actionCount> labels;
    std::array<sf::Text, 3> headers;
};
