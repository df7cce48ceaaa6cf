#pragma once
// The colours every menu page shares, so that lists, tables and panels read
// as one game: amber for titles, values and the highlighted row, off-white
// for entries, grey for captions and notes, red for what went wrong.

#include <SFML/Graphics/Color.hpp>

namespace menupalette {

inline const sf::Color amber(242, 163, 58);
inline const sf::Color offWhite(232, 228, 216);
inline const sf::Color grey(150, 156, 172);
inline const sf::Color warning(230, 90, 70);
inline const sf::Color onHighlight(20, 20, 28); // text on the amber highlight
inline const sf::Color panelFill(18, 20, 30, 235);
inline const sf::Color panelEdge(74, 80, 102);

} // namespace menupalette
