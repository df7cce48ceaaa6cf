#include "screens/OverlayUpgradeState.h"

#include "app/Contenthandler.h"
#include "app/GameStateHandler.h"
#include "app/InputState.h"
#include "app/Settings.h"
#include "screens/UpgradeState.h"

#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Window/Keyboard.hpp>

OverlayUpgradeState::OverlayUpgradeState() { overlay.setTexture(Contenthandler::getInstance()->helpOverlayTexture); }

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
    gameWindow().draw(overlay);
    MenuState::draw();
}

void OverlayUpgradeState::handleInput() {
    const InputState* input = InputState::getInstance();
    if (input->buttonReleased(0) || input->buttonReleased(1) || input->pressed(sf::Keyboard::Escape))
        GameStateHandler::getInstance()->popState();
}
