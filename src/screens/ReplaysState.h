#pragma once
// The list of recordings: date, level reached, score and length, newest
// first, each to be watched.

#include "app/MenuState.h"
#include "app/Singleton.h"

class ReplaysState : public MenuState, public Singleton<ReplaysState> {
    friend class Singleton<ReplaysState>;

  public:
    void handleInput() override;

  private:
    ReplaysState() = default;
};
