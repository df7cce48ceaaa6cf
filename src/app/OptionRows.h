#pragma once
// The layout the settings pages share (options, comfort, accessibility), so
// that they read as one menu: a label on the left, the value in the middle,
// step buttons either side of it or a toggle on the right, one row every 120
// pixels (90 on the accessibility page, which has eight), and a faint line
// between the rows.

#include "core/TextSize.h"

#include <SFML/Graphics/Color.hpp>
#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/RenderTarget.hpp>
#include <SFML/Graphics/Text.hpp>
#include <SFML/System/Vector2.hpp>

namespace optionrows {

constexpr int firstRowY = 150;
constexpr int rowStep = 120;
constexpr float labelX = 400;
constexpr float valueX = 1180;
constexpr int minusX = 910;
constexpr int plusX = 1450;
inline const sf::Vector2i stepSize(80, 64);
inline const sf::Vector2i toggleSize(128, 64);

// The room a label has before a row's "-" button, and a value centred
// between that button and a "Toggle" one, with a margin to either.
constexpr float labelRoom = minusX - 40 - labelX - 20;
constexpr float valueRoom = 2 * (plusX - 64 - 12 - valueX);

inline const sf::Color labelColour(232, 228, 216);
inline const sf::Color valueColour(242, 163, 58);

// The centre line of a row, in screen pixels.
constexpr int rowY(int row) {
    return firstRowY + row * rowStep;
}

// The rows' lines, labels and values, each text at the player's text size
// within its room: its part of a row `rowHeight` tall around its middle.
template <typename Lines, typename Texts>
void drawRows(sf::RenderTarget& target, const Lines& separators, const Texts& labels, const Texts& values,
              float rowHeight) {
    for (const sf::RectangleShape& line : separators)
        target.draw(line);
    for (const sf::Text& text : labels)
        drawText(target, text, roomAround(text, labelX, labelRoom, rowHeight), {0, 0.5f});
    for (const sf::Text& text : values)
        drawText(target, text, roomAround(text, valueX - valueRoom / 2, valueRoom, rowHeight));
}

} // namespace optionrows
