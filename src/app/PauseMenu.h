#pragma once
// The pause menu over a frozen level: load a save, restart the level, open
// the options, go back to the level or quit to the main menu. The loads and
// the restart are grey in hardcore mode and in a daily run, where a death is
// final. A seeded or daily run's seed shows under the buttons.

#include "app/MenuState.h"
#include "core/Singleton.h"

#include <SFML/Graphics/Text.hpp>

class PauseMenu : public MenuState, public Singleton<PauseMenu> {
    friend class Singleton<PauseMenu>;

  public:
    void onEnter() override;
    void update(float dt) override;
    // The state below (the level) first, then the shade and the buttons.
    void draw() override;
    void handleInput() override;

    // Enabled-conditions of the buttons that would undo a death.
    static bool saveLoadable();
    static bool autosaveLoadable();
    static bool restartAllowed();

    sf::Text title;
    sf::Text seedLine;

  private:
    PauseMenu();
};
