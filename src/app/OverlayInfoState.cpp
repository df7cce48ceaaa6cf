#include "app/OverlayInfoState.h"

#include "app/GameStateHandler.h"
#include "app/MenuActions.h"
#include "core/Bindings.h"
#include "core/Contenthandler.h"
#include "core/InputState.h"
#include "core/Settings.h"
#include "screens/Ingame.h"

#include <SFML/Graphics/RenderWindow.hpp>

OverlayInfoState::OverlayInfoState() {
    overlay.setTexture(Contenthandler::getInstance()->gameInfoOverlayTexture);
    // The panel's own colour, over the key caps of the picture.
    capsCover.setPosition(312, 318);
    capsCover.setSize(sf::Vector2f(250, 440));
    capsCover.setFillColor(sf::Color(21, 23, 34));
}

void OverlayInfoState::onEnter() {
    MenuState::onEnter();
    menuShade.setFillColor(sf::Color(255, 255, 255, 0));
    pressedHere[0] = pressedHere[1] = false;
    silenceLevelSounds();
    showBindings = bindings != Bindings::defaults() || InputState::getInstance()->pad.connected;
    if (!showBindings)
        return;
    bool pad = InputState::getInstance()->pad.connected;
    auto with = [pad](std::string keys, const char* button) { return pad ? keys + "  /  " + button : keys; };
    auto first = [](Action a) { return inputsText(a).substr(0, inputsText(a).find(',')); };
    auto both = [&with](Action a) {
        return with(inputsText(a), padButtonName(bindings.pad[static_cast<std::size_t>(a)]));
    };
    // The picture's rows: movement, sprint, aim, the hands, the taser, the reloads, pause and help.
    const std::string rows[10] = {with(first(Action::MoveUp) + " " + first(Action::MoveLeft) + " " +
                                           first(Action::MoveDown) + " " + first(Action::MoveRight),
                                       "Left stick"),
                                  both(Action::Sprint),
                                  with("Mouse", "Right stick"),
                                  both(Action::UseLeft),
                                  both(Action::UseRight),
                                  both(Action::Taser),
                                  both(Action::ReloadLeft),
                                  both(Action::ReloadRight),
                                  both(Action::Pause),
                                  both(Action::Help)};
    for (std::size_t i = 0; i < capTexts.size(); ++i) {
        styleMenuText(capTexts[i], 20, sf::Color(232, 228, 216), rows[i], 1);
        capTexts[i].setPosition(320, static_cast<float>(322 + 44 * static_cast<int>(i)));
    }
}

void OverlayInfoState::draw() {
    Ingame::getInstance()->draw();
    MenuState::draw();
    gameWindow().draw(overlay);
    if (!showBindings)
        return;
    gameWindow().draw(capsCover);
    for (const sf::Text& text : capTexts)
        gameWindow().draw(text);
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
