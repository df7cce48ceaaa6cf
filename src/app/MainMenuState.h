#pragma once
// The title screen: a slowly panning night-city background, the title and
// logo, and eight buttons sliding in from the left.

#include "app/MenuState.h"
#include "core/Singleton.h"

#include <SFML/Graphics/Text.hpp>

class MainMenuState : public MenuState, public Singleton<MainMenuState> {
    friend class Singleton<MainMenuState>;

  public:
    void onEnter() override;
    void update(float dt) override;
    void draw() override;

    sf::Sprite logo;
    sf::Text title;
    float panSpeed = -100; // units per second
    // The pause at each end of the pan.
    float panTimer = 3.0f;
    float panTimerPrevious = 3.0f;
    bool panTimerRunning = true;

  private:
    MainMenuState();
};
