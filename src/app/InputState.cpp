#include "app/InputState.h"

#include "app/Camera.h"
#include "app/Settings.h"

#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Window/Mouse.hpp>

#include <algorithm>
#include <iostream>

InputState::InputState() {
    std::cout << "InputState's constructor was called" << std::endl;
}

InputState::~InputState() {
    std::cout << "InputStateManager's destructor was called" << std::endl;
}

sf::Vector2i InputState::toViewUnits(sf::Vector2i windowPosition, sf::Vector2u windowSize,
                                     sf::Vector2f viewSize) {
    int viewWidth = static_cast<int>(viewSize.x);
    int viewHeight = static_cast<int>(viewSize.y);
    if (windowSize.x == 0 || windowSize.y == 0)
        return {0, 0};
    int x = static_cast<int>(static_cast<float>(windowPosition.x) * viewSize.x /
                             static_cast<float>(windowSize.x));
    int y = static_cast<int>(static_cast<float>(windowPosition.y) * viewSize.y /
                             static_cast<float>(windowSize.y));
    return {std::clamp(x, 0, viewWidth), std::clamp(y, 0, viewHeight)};
}

void InputState::update() {
    sf::RenderWindow& window = gameWindow();
    keyboard.poll();
    sample(
        sf::Mouse::getPosition(window), window.getSize(), Camera::getInstance()->view.getSize(),
        [this](int k) { return keyboard.isDown(static_cast<sf::Keyboard::Key>(k)); },
        [](int b) { return sf::Mouse::isButtonPressed(static_cast<sf::Mouse::Button>(b)); });
}
