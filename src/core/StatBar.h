#pragma once
// A value/maximum bar: a coloured fill over a dark backing inside an outlined
// frame, with a faint shine along its upper edge. Used for the player's throw
// and invulnerability bars, the enemies' health, the heads-up display and the
// score screen. Owned by value by whoever shows it.

#include <SFML/Graphics/Rect.hpp>
#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/VertexArray.hpp>

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
    // Backing, fill, shine and frame, in one draw unless the fill has a texture.
    void draw();
    // The frame (its fill too) and the fill, without backing or shine: an
    // enemy's small bar over its head, in one draw.
    void drawPlain();

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
    // Appends a rectangle's fill, and its outline as four bands around it, as
    // quads in the shape's own colours.
    static void appendFill(sf::VertexArray& quads, const sf::RectangleShape& shape);
    static void appendOutline(sf::VertexArray& quads, const sf::RectangleShape& shape);
    // Kept so a frame allocates nothing.
    sf::VertexArray quads{sf::Quads};
};
