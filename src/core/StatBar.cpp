#include "core/StatBar.h"

#include "core/Settings.h"

#include <SFML/Graphics/RenderWindow.hpp>

#include <algorithm>
#include <cmath>

StatBar::StatBar(float maximum_, sf::Color fillColour, int mode_, sf::Color outlineColour, float value_,
                 sf::IntRect rect_)
    : maximum(maximum_), mode(mode_), rect(rect_) {
    fill.setFillColor(fillColour);
    frame.setFillColor(sf::Color::Transparent);
    frame.setOutlineThickness(2);
    frame.setOutlineColor(outlineColour);
    backing.setFillColor(sf::Color(8, 9, 14, 205));
    shine.setFillColor(sf::Color(255, 255, 255, 46));
    setValue(value_);
}

void StatBar::setValue(float v) {
    value = std::isnan(v) ? 0 : std::clamp(v, 0.0f, std::max(maximum, 0.0f));
    layout();
}

void StatBar::setMaximum(float m) {
    maximum = m;
    layout();
}

void StatBar::setColour(sf::Color c) {
    fill.setFillColor(c);
}

void StatBar::setPosition(sf::Vector2f topLeft) {
    rect.left = static_cast<int>(topLeft.x);
    rect.top = static_cast<int>(topLeft.y);
    layout();
}

namespace {

// A shape recomputes its outline and texture coordinates on every resize,
// and an enemy's bar is laid out twice a frame while only its position
// changes: a size that stays the same is not set again.
void resize(sf::RectangleShape& shape, sf::Vector2f size) {
    if (shape.getSize() != size)
        shape.setSize(size);
}

} // namespace

void StatBar::layout() {
    float share = maximum > 0 ? value / maximum : 0;
    sf::Vector2f size(static_cast<float>(rect.width), static_cast<float>(rect.height));
    sf::Vector2f topLeft(static_cast<float>(rect.left), static_cast<float>(rect.top));
    resize(frame, size);
    frame.setPosition(topLeft);
    resize(backing, size);
    backing.setPosition(topLeft);
    // Modes 0 and 1 shrink vertically (towards the bottom or the top edge),
    // 2 and 3 horizontally (towards the right or the left edge).
    switch (mode) {
    case 0:
        resize(fill, {size.x, size.y * share});
        fill.setPosition(topLeft.x, topLeft.y + size.y * (1 - share));
        break;
    case 1:
        resize(fill, {size.x, size.y * share});
        fill.setPosition(topLeft);
        break;
    case 2:
        resize(fill, {size.x * share, size.y});
        fill.setPosition(topLeft.x + size.x * (1 - share), topLeft.y);
        break;
    default:
        resize(fill, {size.x * share, size.y});
        fill.setPosition(topLeft);
        break;
    }
    resize(shine, {fill.getSize().x, std::round(fill.getSize().y * 0.4f)});
    shine.setPosition(fill.getPosition());
}

namespace {

void appendRect(sf::VertexArray& quads, sf::FloatRect r, sf::Color colour) {
    if (r.width <= 0 || r.height <= 0 || colour.a == 0)
        return;
    quads.append({{r.left, r.top}, colour});
    quads.append({{r.left + r.width, r.top}, colour});
    quads.append({{r.left + r.width, r.top + r.height}, colour});
    quads.append({{r.left, r.top + r.height}, colour});
}

} // namespace

void StatBar::appendFill(sf::VertexArray& quads, const sf::RectangleShape& shape) {
    const sf::Vector2f at = shape.getPosition(), size = shape.getSize();
    appendRect(quads, {at.x, at.y, size.x, size.y}, shape.getFillColor());
}

void StatBar::appendOutline(sf::VertexArray& quads, const sf::RectangleShape& shape) {
    // The bands share only edges, so every pixel of the ring is laid once,
    // as the shape's own outline lays it.
    const float t = shape.getOutlineThickness();
    const sf::Vector2f at = shape.getPosition(), size = shape.getSize();
    const sf::Color colour = shape.getOutlineColor();
    if (t <= 0)
        return;
    appendRect(quads, {at.x - t, at.y - t, size.x + 2 * t, t}, colour);
    appendRect(quads, {at.x - t, at.y + size.y, size.x + 2 * t, t}, colour);
    appendRect(quads, {at.x - t, at.y, t, size.y}, colour);
    appendRect(quads, {at.x + size.x, at.y, t, size.y}, colour);
}

void StatBar::draw() {
    sf::RenderWindow& window = gameWindow();
    const bool textured = fill.getTexture() != nullptr;
    quads.clear();
    appendFill(quads, backing);
    if (textured) {
        window.draw(quads);
        window.draw(fill);
        quads.clear();
    } else {
        appendFill(quads, fill);
    }
    if (shine.getSize().y >= 2)
        appendFill(quads, shine);
    appendFill(quads, frame);
    appendOutline(quads, frame);
    window.draw(quads);
}

void StatBar::drawPlain() {
    quads.clear();
    appendFill(quads, frame);
    appendOutline(quads, frame);
    appendFill(quads, fill);
    gameWindow().draw(quads);
}
