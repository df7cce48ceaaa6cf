#pragma once
// Base of every menu-like screen: a background and a foreground sprite, a
// shade over them, and a row of animated buttons. Menus draw in screen
// coordinates and cap the frame rate.

#include "app/GameState.h"
#include "app/MenuButton.h"

#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/Sprite.hpp>

#include <vector>

// The shade every menu lays between its pictures and its buttons.
extern sf::RectangleShape menuShade;

class MenuState : public GameState {
public:
    void onEnter() override;
    void onExit() override;
    void update(float dt) override;
    void draw() override;

    sf::Sprite background;
    sf::Sprite foreground;
    std::vector<MenuButton> buttons;

protected:
    void resetButtons();
};
