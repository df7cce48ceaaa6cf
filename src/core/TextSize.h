#pragma once
// Texts at the player's text size ("Text size": 100, 125 or 150 %). A text
// keeps its layout size where it is laid out; drawing takes a copy enlarged
// by the text size, shrunk again where that would not fit the room it has,
// and placed so that it keeps its anchor point (its middle, or the middle of
// its left edge, ...). Drawing only: what a frame decides never depends on it.

#include <SFML/Graphics/RenderStates.hpp>
#include <SFML/Graphics/RenderTarget.hpp>
#include <SFML/Graphics/Text.hpp>
#include <SFML/System/Vector2.hpp>

#include <string>
#include <vector>

// A character size at the text size.
unsigned scaledTextSize(unsigned size);

// The text as it is drawn at the given scale: its character size times the
// scale, shrunk to at most maxWidth wide and maxHeight tall, but never below its own size
// (which fitted when it was laid out), with the point at `anchor` of its
// bounds (0..1 each way) where that point of the original's bounds was.
sf::Text scaledCopy(const sf::Text& text, float scale, float maxWidth, sf::Vector2f anchor,
                    float maxHeight = 1.0e6f);
// The same at the player's text size.
sf::Text atTextSize(const sf::Text& text, float maxWidth, sf::Vector2f anchor, float maxHeight = 1.0e6f);

// Where a text was drawn, for a look at a screen's layout.
struct PlacedText {
    std::string text;
    sf::FloatRect bounds, room;
    float size = 0;
};

// The whole view, the room of a text that stands on no panel.
inline const sf::FloatRect wholeView(0, 0, 1920, 1080);

// Draws the text at the player's text size within `room` (its panel, column
// or cell, in the view's units): grown no wider or taller than the room,
// anchored as atTextSize anchors it.
void drawText(sf::RenderTarget& target, const sf::Text& text, const sf::FloatRect& room,
              sf::Vector2f anchor = {0.5f, 0.5f}, const sf::RenderStates& states = sf::RenderStates::Default);

// Draws the text at the size it was laid out, whatever the text size: for a
// text whose neighbours follow its layout (a caret after it, lines set a
// fixed step apart) and which reads large enough already. `room` is where it
// must stay, for the layout's check.
void drawTextAsLaidOut(sf::RenderTarget& target, const sf::Text& text, const sf::FloatRect& room);

// A table's cell: its column's left and width, its row's top and height.
inline sf::FloatRect cellOf(const sf::FloatRect& column, float top, float height) {
    return {column.left, top, column.width, height};
}

// One cell of a line of texts that belong together, such as a table's row.
struct RowCell {
    sf::Text text;
    sf::FloatRect room;
    sf::Vector2f anchor{0.5f, 0.5f};
};
// Draws the cells as drawText would, but all at one size (the largest every
// cell's room allows), so that a row reads evenly.
void drawTextRow(sf::RenderTarget& target, const std::vector<RowCell>& cells);

// A room `width` wide from `left` and `height` tall around the middle of the
// text as it is laid out: the row a text was placed in by its top line.
sf::FloatRect roomAround(const sf::Text& text, float left, float width, float height);

// While a log is given, every text drawn through drawText is noted in it, so
// a test can draw a screen and read where its texts landed. Null stops it.
void logDrawnTexts(std::vector<PlacedText>* log);
