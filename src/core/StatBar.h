#pragma once
// A value/maximum bar: a coloured fill over a dark backing inside an outlined
// frame, with a faint shine along its upper edge. Used for the player's throw
// and invulnerability bars, the enemies' health, the heads-up display and the
// score screen. Owned by value by whoever shows it.

#include <SFML/Graphics/Rect.hpp>
#include <SFML/Graphics/RectangleShape.hpp>

class StatBar {
  public:
    // mode: the edge the fill stays anchored to as it shrinks; 3 keeps it on the left.
    StatBar(float maximum, sf::Color fillColour, int mode, sf::Color outlineColour, float value,
            sf::IntRect rect);

    // Clamps to [0, maximum] and resizes the fill.
    void setValue(float v);
    void setMaximum(float m);
    void setColour(sf::Color c);
    // Moves the bar's top-left corner, keeping its size.
    void setPosition(sf::Vector2f topLeft);
    void draw();

    float value = 0;
    float maximum = 1;
    int mode = 3;
    sf::IntRect rect;
    sf::RectangleShape fill;
    sf::RectangleShape frame;
    // Keeps the empty part readable over any background; the shine gives the fill some depth.
    sf::RectangleShape backing;
    sf::RectangleShape shine;

  private:
    void layout();
};
