#pragma once
// Rectangles of the world and the screen.

#include <SFML/Graphics/Rect.hpp>

#include <algorithm>

// The smallest rectangle holding both. An empty one (no width or no height)
// adds nothing, so a union can start from an empty rectangle.
inline sf::FloatRect unite(const sf::FloatRect& a, const sf::FloatRect& b) {
    if (b.width <= 0 || b.height <= 0)
        return a;
    if (a.width <= 0 || a.height <= 0)
        return b;
    const float left = std::min(a.left, b.left), top = std::min(a.top, b.top);
    return {left, top, std::max(a.left + a.width, b.left + b.width) - left,
            std::max(a.top + a.height, b.top + b.height) - top};
}
