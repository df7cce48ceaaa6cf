#include "core/Picture.h"

#include "core/Settings.h"

#include <SFML/Graphics/RenderTarget.hpp>
#include <SFML/Graphics/View.hpp>

#include <algorithm>
#include <cmath>

namespace {
constexpr float logicalAspect = 1920.0f / 1080.0f;
}

sf::FloatRect pictureViewport(sf::Vector2u windowSize, bool keepShape) {
    if (!keepShape || windowSize.x == 0 || windowSize.y == 0)
        return {0, 0, 1, 1};
    const float aspect = static_cast<float>(windowSize.x) / static_cast<float>(windowSize.y);
    // Whole pixels, so the picture's edges stay sharp and the bars even.
    if (aspect > logicalAspect) {
        const float width = std::round(static_cast<float>(windowSize.y) * logicalAspect);
        const float share = width / static_cast<float>(windowSize.x);
        return {std::round((1 - share) / 2 * static_cast<float>(windowSize.x)) /
                    static_cast<float>(windowSize.x),
                0, share, 1};
    }
    const float height = std::round(static_cast<float>(windowSize.x) / logicalAspect);
    const float share = height / static_cast<float>(windowSize.y);
    return {0,
            std::round((1 - share) / 2 * static_cast<float>(windowSize.y)) / static_cast<float>(windowSize.y),
            1, share};
}

bool pictureHasBars(sf::Vector2u windowSize, bool keepShape) {
    const sf::FloatRect port = pictureViewport(windowSize, keepShape);
    return port.width < 1 || port.height < 1;
}

sf::Vector2i intoPicture(sf::Vector2i windowPosition, sf::Vector2u windowSize, bool keepShape) {
    if (!pictureHasBars(windowSize, keepShape))
        return windowPosition;
    const sf::FloatRect port = pictureViewport(windowSize, keepShape);
    auto axis = [](int position, unsigned size, float start, float share) {
        const float pixels = static_cast<float>(size);
        const float inside = (static_cast<float>(position) - start * pixels) / share;
        return static_cast<int>(std::floor(std::clamp(inside, 0.0f, pixels)));
    };
    return {axis(windowPosition.x, windowSize.x, port.left, port.width),
            axis(windowPosition.y, windowSize.y, port.top, port.height)};
}

void showView(sf::RenderTarget& target, const sf::View& view) {
    sf::View shown = view;
    shown.setViewport(pictureViewport(target.getSize(), letterbox));
    target.setView(shown);
}
