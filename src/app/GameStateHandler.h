#pragma once
// The stack of game states. It owns none of them: every state is a
// singleton (or, for the level, a static object) that outlives the stack.

#include "core/Singleton.h"

#include <vector>

class GameState;

class GameStateHandler : public Singleton<GameStateHandler> {
    friend class Singleton<GameStateHandler>;

  public:
    ~GameStateHandler();

    // Stack operations. The new top is entered at once but not drawn until
    // the next frame, so a screen never shows before its first update.
    void changeState(GameState* s);
    void pushState(GameState* s);
    void popState();
    // Pushes s over the state now on top once that state has been on top
    // for delay seconds: the wait stands still while a menu covers it, and a
    // screen due for a level can never land over the pause menu. Replaces
    // any earlier schedule; dropped when s is pushed by other means first.
    void scheduleState(GameState* s, float delay);
    // Drops the scheduled push, if any.
    void cancelScheduled();

    // Pops a state that asked for it, updates the top, fires a due delayed push.
    void update(float dt);
    // The scheduled screen's part of update: its timer runs while its anchor
    // is on top, and it opens when the time is up.
    void advanceSchedule(float dt);
    GameState* top() const { return states.empty() ? nullptr : states.front(); }
    // Whether the state is anywhere on the stack, covered or not.
    bool holds(const GameState* s) const;

    std::vector<GameState*> states; // element 0 is the top
    GameState* pendingState = nullptr;
    GameState* delayAnchor = nullptr; // compared, never followed: the state the schedule waits on
    int drawEnabled = 1;
    float delayDuration = 1.0f;
    float delayRemaining = 1.0f;
    float delayPrevious = 1.0f;
    bool delayActive = false;

  private:
    GameStateHandler();
};
