#pragma once
// Placeholder screen until it lands.

#include "app/MenuState.h"
#include "app/Singleton.h"

class ScoreScreenState : public MenuState, public Singleton<ScoreScreenState> {
    friend class Singleton<ScoreScreenState>;

private:
    ScoreScreenState() = default;
};
