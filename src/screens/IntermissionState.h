#pragma once
// The door wipe between levels: two blast-door panels slide in over the
// frozen level and slam shut with sparks at the seam (score screen to upgrade
// screen), or part to reveal the next level (upgrade screen to play). Each
// push runs one direction, holds for a moment and pops itself; successive
// pushes alternate closing and opening. A singleton.

#include "app/MenuState.h"
#include "core/Singleton.h"
#include "core/Timer.h"

#include <SFML/Graphics/Sprite.hpp>

class IntermissionState : public MenuState, public Singleton<IntermissionState> {
    friend class Singleton<IntermissionState>;

  public:
    void onEnter() override;
    void update(float dt) override;
    void draw() override;

    // Back to a closing wipe with both panels off-screen, for a run that ends
    // between levels and for the score screen's hand-over.
    void resetToClosing();

    // The open space between the panels' inner edges, 0 when shut, 1920 when fully open.
    float gap() const;
    // Moves the panels one step in the current direction, each kept within its half of the screen.
    void movePanels(float dt);
    // Whether the doors have arrived where this push takes them.
    bool arrived() const;

    static constexpr float panelWidth = 960;
    static constexpr float doorSpeed = 1000;
    // How long the shut doors hold before the upgrade screen shows, and the
    // beat after they have parted before the level runs.
    static constexpr float closedPause = 0.55f;
    static constexpr float openedPause = 0.15f;
    // The latch's delay before opening doors start to move.
    static constexpr float unlatchDelay = 0.35f;

    sf::Sprite doors[2];
    bool closing = true;
    bool pauseRunning = false;
    float pauseReset = closedPause;
    float pauseTimer = 0;
    Timer stepTimer{unlatchDelay, false, unlatchDelay, unlatchDelay};

  private:
    IntermissionState();
    void startPause();
    // A shower of sparks up and down the seam as the doors meet.
    void throwSparks();
};
