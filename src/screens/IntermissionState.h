#pragma once
// Placeholder screen until it lands.

#include "app/MenuState.h"
#include "app/Singleton.h"

class IntermissionState : public MenuState, public Singleton<IntermissionState> {
    friend class Singleton<IntermissionState>;

private:
    IntermissionState() = default;
};
