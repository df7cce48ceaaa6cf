#include "core/Camera.h"

#include "core/Picture.h"
#include "core/Settings.h"

#include <SFML/Graphics/RenderWindow.hpp>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <iostream>

namespace {
const sf::Vector2f screenCentre(960, 540);

// A shake offset: a random value in -50..50 scaled by the shake strength.
float shakeTerm(float shake) {
    return static_cast<float>(std::rand() % 101 - 50) * 0.01f * shake;
}
} // namespace

Camera::Camera() : overlay(sf::Vector2f(1920, 1080)), view(sf::FloatRect(0, 0, 1920, 1080)) {
    std::cout << "Camera's constructor was called" << std::endl;
    center = target = screenCentre;
    visibleArea = sf::IntRect(0, 0, 1920, 1080);
}

Camera::~Camera() {
    std::cout << "Camera's destructor was called" << std::endl;
}

sf::Vector2f Camera::clampToMap(sf::Vector2f point, sf::Vector2f viewSize, sf::Vector2f mapSize) {
    auto clampAxis = [](float v, float half, float extent) {
        // The last column and row are kept out of view, hence the extra tile.
        float high = extent - half - 64;
        return std::max(std::min(v, high), half);
    };
    return {clampAxis(point.x, viewSize.x / 2, mapSize.x), clampAxis(point.y, viewSize.y / 2, mapSize.y)};
}

void Camera::step(float dt, sf::Vector2f playerPosition, const sf::Vector2f* mapSize) {
    sf::Vector2f size = view.getSize();
    if (!screenMode) {
        if (mapSize) {
            target = clampToMap(playerPosition, size, *mapSize);
            center += (target - center) * 10.0f * dt;
        }
        view.setCenter(std::trunc(center.x), std::trunc(center.y));
    } else {
        view.setCenter(screenCentre);
    }
    visibleArea =
        sf::IntRect(static_cast<int>(center.x - size.x / 2), static_cast<int>(center.y - size.y / 2),
                    static_cast<int>(size.x), static_cast<int>(size.y));

    shake -= shake * 3 * std::abs(dt);
    shake = std::clamp(shake, 0.0f, 10.0f);
    overlay.setFillColor(overlayColor);

    // The comfort scale applies to the picture only: the strength itself keeps
    // building and decaying as ever, and the same numbers are drawn at every
    // setting, so a run replays alike whatever the player's comfort choice.
    // A draw steps the camera by 0 to set its view: it shows the frame's
    // shake again instead of drawing new numbers, so that how often the game
    // is drawn never changes the run (a recording plays undrawn at any speed).
    const float felt = shake * (static_cast<float>(shakePercent) / 100.0f);
    if (dt != 0)
        shakeTerms = {shakeTerm(felt), shakeTerm(felt), shakeTerm(felt)};
    view.setRotation(shakeTerms.x);
    view.move(shakeTerms.z, shakeTerms.y);
}

void Camera::drawOverlay() {
    // A clear tint changes no pixel, but would still cost a pass over the screen.
    if (screenMode || overlayColor.a == 0)
        return;
    overlay.setPosition(static_cast<float>(visibleArea.left), static_cast<float>(visibleArea.top));
    gameWindow().draw(overlay);
}

void Camera::drawOverlayOver(const sf::FloatRect& screenArea) {
    if (screenMode || overlayColor.a == 0 || screenArea.width <= 0 || screenArea.height <= 0)
        return;
    sf::RenderWindow& window = gameWindow();
    const sf::Vector2f size = view.getSize();
    showView(window, sf::View(sf::FloatRect(0, 0, size.x, size.y)));
    sf::RectangleShape patch({screenArea.width, screenArea.height});
    patch.setPosition(screenArea.left, screenArea.top);
    patch.setFillColor(overlayColor);
    window.draw(patch);
    showView(window, view);
}

sf::IntRect Camera::visibleRect() const {
    return screenMode ? sf::IntRect(0, 0, 1920, 1080) : visibleArea;
}

bool Camera::isVisible(sf::Vector2f position, float r) const {
    sf::IntRect R = visibleRect();
    auto inside = [r](float p, int start, int extent) {
        int low = static_cast<int>(static_cast<float>(start) - r);
        int span = static_cast<int>(static_cast<float>(extent) + 2 * r);
        int v = static_cast<int>(p);
        return low <= v && v < span + low;
    };
    return inside(position.x, R.left, R.width) && inside(position.y, R.top, R.height);
}
