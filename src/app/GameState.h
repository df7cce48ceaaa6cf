#pragma once
// One screen of the game. States sit on the stack owned by the state
// handler; only the top one is updated and drawn.

class GameState {
  public:
    virtual ~GameState() = default;

    // Every time the state becomes the top: pushed, changed to, or uncovered by a pop.
    virtual void onEnter() {}
    // When the state leaves the stack (popped or replaced), not when covered.
    virtual void onExit() {}
    virtual void update(float dt) = 0;
    // Draws between clearing and displaying the window. States below the top
    // are not drawn; an overlay draws whatever it shows behind itself.
    virtual void draw() = 0;
    // Whether draw paints every pixel of the window, so that clearing it first would be wasted.
    virtual bool paintsWholeWindow() const { return false; }
    // Keyboard shortcuts, after update.
    virtual void handleInput() {}

    // Set by a state to be popped at the start of the next update.
    bool popRequested = false;
};
