#pragma once
// The game-info overlay: the controls and the goals of a level, shown over
// the frozen level with F1 and once on the first level after a first start.
// A click, Escape or F1 closes it. The picture shows the default keys; when
// the bindings differ or a pad is plugged in, the bindings in force are
// written over its column of key caps.

#include "app/MenuState.h"
#include "core/Singleton.h"

#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/Text.hpp>

#include <array>

class OverlayInfoState : public MenuState, public Singleton<OverlayInfoState> {
    friend class Singleton<OverlayInfoState>;

  public:
    void onEnter() override;
    void draw() override;
    void handleInput() override;

    sf::Sprite overlay;
    bool showBindings = false;
    sf::RectangleShape capsCover;
    std::array<sf::Text, 10> capTexts; // one per row of the picture's controls list

  private:
    OverlayInfoState();
    // Which mouse buttons went down while the overlay was showing. Only
    // their release closes it: the overlay may open half a second into a
    // level while a fire button is held, and letting that go must not close
    // it before it was seen.
    bool pressedHere[2] = {false, false};
};
