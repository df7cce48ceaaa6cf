#include "app/OverlayInfoState.h"

#include "app/Contenthandler.h"
#include "app/GameStateHandler.h"
#include "app/InputState.h"
#include "app/MenuActions.h"
#include "app/Settings.h"
#include "screens/Ingame.h"

#include <SFML/Graphics/RenderWindow.hpp>

OverlayInfoState::OverlayInfoState() {
    overlay.setTexture(Contenthandler::getInstance()->gameInfoOverlayTexture);
}

void OverlayInfoState::onEnter() {
    MenuState::onEnter();
    menuShade.setFillColor(sf::Color(255, 255, 255, 0));
    pressedHere[0] = pressedHere[1] = false;
    silenceLevelSounds();
}

void OverlayInfoState::draw() {
    Ingame::getInstance()->draw();
    MenuState::draw();
    gameWindow().draw(overlay);
}

void OverlayInfoState::handleInput() {
    InputState* input = InputState::getInstance();
    bool close = input->backPressed() || input->confirmPressed() || input->actionPressed(Action::Pause) ||
                 input->actionPressed(Action::Help);
    for (int b = 0; b < 2; ++b) {
        if (input->buttonPressed(b))
            pressedHere[b] = true;
        if (input->buttonReleased(b) && pressedHere[b])
            close = true;
    }
    if (close)
        GameStateHandler::getInstance()->popState();
}
