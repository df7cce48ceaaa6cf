#pragma once
// Placeholder screen until it lands.

#include "app/MenuState.h"
#include "app/Singleton.h"

class UpgradeState : public MenuState, public Singleton<UpgradeState> {
    friend class Singleton<UpgradeState>;

private:
    UpgradeState() = default;
};
