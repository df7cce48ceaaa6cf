#pragma once
// Where in the window the picture goes. The game draws a 1920 x 1080 logical
// screen; stretched (the default) it fills the window whatever its shape,
// and with "Picture shape" at 16:9 it keeps its shape in the largest 16:9
// rectangle in the window's middle, the rest left as dark bars. Only the
// drawing and the pointer's way into logical units change: what the game
// decides is the same either way.

#include <SFML/Graphics/Rect.hpp>
#include <SFML/System/Vector2.hpp>

namespace sf {
class RenderTarget;
class View;
} // namespace sf

// The picture's part of a window of the given size, in view port units (0..1).
sf::FloatRect pictureViewport(sf::Vector2u windowSize, bool keepShape);
// Whether the picture leaves bars in a window of that size.
bool pictureHasBars(sf::Vector2u windowSize, bool keepShape);
// A window pixel moved to where it would be were the picture stretched over
// the whole window, so the usual scaling takes it into logical units; a
// pixel on a bar lands on the picture's nearest edge.
sf::Vector2i intoPicture(sf::Vector2i windowPosition, sf::Vector2u windowSize, bool keepShape);
// Sets the view on the target (the game window) inside the picture's part of it.
void showView(sf::RenderTarget& target, const sf::View& view);
