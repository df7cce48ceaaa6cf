#include "app/MenuState.h"

#include "app/Camera.h"
#include "app/Contenthandler.h"
#include "app/InputState.h"
#include "app/Settings.h"

#include <SFML/Graphics/RenderWindow.hpp>

#include <cmath>

sf::RectangleShape menuShade;

void MenuState::resetButtons() {
    for (MenuButton& button : buttons)
        if (button.slideAxis != -1)
            button.resetPosition();
}

void MenuState::onEnter() {
    resetButtons();
    // The click that opened this menu must not count as a click inside it.
    InputState::getInstance()->update();
    popRequested = false;
    Camera::getInstance()->screenMode = true;
    menuShade.setSize(sf::Vector2f(1920, 1080));
    menuShade.setFillColor(sf::Color(0, 0, 0, 64));
    gameWindow().setFramerateLimit(120);
}

void MenuState::onExit() {
    resetButtons();
}

void MenuState::update(float dt) {
    for (MenuButton& button : buttons)
        button.update(dt);
}

void MenuState::draw() {
    Camera* camera = Camera::getInstance();
    camera->screenMode = true;
    camera->update(0);
    sf::RenderWindow& window = gameWindow();
    window.setView(camera->view);
    window.draw(background);
    window.draw(foreground);
    window.draw(menuShade);
    for (MenuButton& button : buttons)
        button.draw();
}

void styleMenuText(sf::Text& text, unsigned size, sf::Color colour, const std::string& string, float outline,
                   sf::Color outlineColour) {
    text.setFont(Contenthandler::getInstance()->fontBeantown);
    text.setCharacterSize(size);
    text.setFillColor(colour);
    text.setOutlineColor(outlineColour);
    text.setOutlineThickness(outline);
    text.setString(string);
}

void centreMenuText(sf::Text& text, float y) {
    sf::FloatRect box = text.getLocalBounds();
    text.setPosition(std::trunc(960 - box.width * 0.5f - box.left), y);
}
