#pragma once
// A fading line left by a shot or a taser beam: a quad with a thin outline.
// An automatic weapon leaves one every few frames and the map fades each of
// them every frame, so the shape is laid out once, when it is made, rather
// than on every corner set as an sf::ConvexShape does.

#include <SFML/Graphics/Shape.hpp>

#include <array>
#include <cstddef>

class TracerShape : public sf::Shape {
  public:
    // The four corners in drawing order and the outline's thickness; the
    // only layout the shape gets until they are set again.
    void setQuad(const std::array<sf::Vector2f, 4>& corners, float outlineThickness);

    // Four corners once set; until then none, so a blank tracer draws nothing.
    std::size_t getPointCount() const override { return laidOut ? 4 : 0; }
    sf::Vector2f getPoint(std::size_t index) const override { return points[index % 4]; }

  private:
    std::array<sf::Vector2f, 4> points{};
    bool laidOut = false;
};

struct Tracer {
    TracerShape shape;
    float rate = 0; // alpha units per second
    bool dead = false;
};

// The quad of a line from a to b, width pixels thick: a + side, b + side,
// b - side, a - side, with side perpendicular to the line (a line of no
// length lies along y, or flat when flatWhenEmpty).
std::array<sf::Vector2f, 4> lineQuad(sf::Vector2f a, sf::Vector2f b, float width, bool flatWhenEmpty = false);
