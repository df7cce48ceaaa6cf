#pragma once
// Base of every menu-like screen: a background and a foreground sprite, a
// shade over them, and a row of animated buttons. Menus draw in screen
// coordinates and cap the frame rate. One enabled button has the focus, so
// every menu works without a mouse: the arrow keys, the D-pad or the left
// stick move it, Enter, Space or pad A click it (Tab or pad X right-click).

#include "app/GameState.h"
#include "app/MenuButton.h"

#include <SFML/Graphics/CircleShape.hpp>
#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/Sprite.hpp>
#include <SFML/Graphics/Text.hpp>

#include <string>

#include <vector>

// The shade every menu lays between its pictures and its buttons.
extern sf::RectangleShape menuShade;

// Menu lettering: the display font with a dark outline, so text reads over
// any backdrop.
void styleMenuText(sf::Text& text, unsigned size, sf::Color colour, const std::string& string = "",
                   float outline = 2, sf::Color outlineColour = sf::Color(10, 10, 18, 200));
// Centres the text horizontally in the 1920-unit view, its top at y.
void centreMenuText(sf::Text& text, float y);

enum class Align { left, centre, right };
// Places the text on x by the given edge, with the middle of a capital on y
// (the font has capitals only, so every cell of a table's row lines up).
void placeMenuText(sf::Text& text, float x, float y, Align align);

// A button without a face of its own: a whole row of a list, which the list
// draws itself (lit while the row has the focus). It takes clicks and the
// focus like any button, so a list can be walked with the keys or a pad.
MenuButton rowButton(sf::IntRect area, MenuButton::Action onClick, MenuButton::Condition isEnabled);
// The amber triangle pointing right that marks a row which can be watched.
void stylePlayMark(sf::CircleShape& mark);

class MenuState : public GameState {
  public:
    void onEnter() override;
    void onExit() override;
    void update(float dt) override;
    void draw() override;

    sf::Sprite background;
    sf::Sprite foreground;
    std::vector<MenuButton> buttons;
    int focus = -1;             // index into buttons, -1 while none is enabled
    bool focusFromKeys = false; // the keys or a pad put it there, not the mouse

    // The enabled button nearest to `from` in direction `step` (one axis),
    // wrapping to the far end when none lies that way; the first enabled one
    // when `from` is -1; -1 when none is enabled.
    static int nextFocus(const std::vector<sf::Vector2i>& centres, const std::vector<bool>& enabled, int from,
                         sf::Vector2i step);

  protected:
    void resetButtons();
    // Moves and uses the focus from this frame's input; MenuState::update calls it.
    void steerFocus();
};
