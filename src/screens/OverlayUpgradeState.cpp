#include "screens/OverlayUpgradeState.h"

#include "app/GameStateHandler.h"
#include "core/Contenthandler.h"
#include "core/InputState.h"
#include "core/Settings.h"
#include "screens/UpgradeState.h"

#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Window/Keyboard.hpp>

OverlayUpgradeState::OverlayUpgradeState() : dim(sf::Vector2f(1920, 1080)) {
    overlay.setTexture(Contenthandler::getInstance()->helpOverlayTexture);
    dim.setFillColor(sf::Color(0, 0, 0, 110));
}

void OverlayUpgradeState::onEnter() {
    MenuState::onEnter();
    menuShade.setFillColor(sf::Color(255, 255, 255, 0));
}

void OverlayUpgradeState::update(float dt) {
    showUpgradeHelpOnce = false;
    MenuState::update(dt);
}

void OverlayUpgradeState::draw() {
    UpgradeState::getInstance()->draw();
    sf::RenderWindow& window = gameWindow();
    window.draw(dim);
    window.draw(overlay);
    MenuState::draw();
}

void OverlayUpgradeState::handleInput() {
    const InputState* input = InputState::getInstance();
    if (input->buttonReleased(0) || input->buttonReleased(1) || input->backPressed() ||
        input->confirmPressed())
        GameStateHandler::getInstance()->popState();
}
