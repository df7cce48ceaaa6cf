#include "world/Tracer.h"

#include <cmath>

void TracerShape::setQuad(const std::array<sf::Vector2f, 4>& corners, float outlineThickness) {
    points = corners;
    laidOut = true;
    // Lays the whole shape out once, outline included.
    setOutlineThickness(outlineThickness);
}

std::array<sf::Vector2f, 4> lineQuad(sf::Vector2f a, sf::Vector2f b, float width, bool flatWhenEmpty) {
    const sf::Vector2f d = b - a;
    const float length = std::sqrt(d.x * d.x + d.y * d.y);
    sf::Vector2f side = length > 0 ? sf::Vector2f(-d.y, d.x) / length * (width / 2)
                                   : sf::Vector2f(0, flatWhenEmpty ? 0 : width / 2);
    return {a + side, b + side, b - side, a - side};
}
