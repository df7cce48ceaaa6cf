#include "screens/RunsResetState.h"

#include "app/GameStateHandler.h"
#include "core/InputState.h"
#include "core/Settings.h"
#include "core/TextSize.h"
#include "screens/RunsState.h"

#include <SFML/Graphics/RenderWindow.hpp>

namespace {

void keep() {
    GameStateHandler::getInstance()->popState();
}

void reset() {
    RunsState::getInstance()->resetHistory();
    GameStateHandler::getInstance()->popState();
}

} // namespace

RunsResetState::RunsResetState() {
    frame.setSize(sf::Vector2f(860, 360));
    frame.setPosition(530, 330);
    frame.setFillColor(sf::Color(18, 20, 30, 250));
    frame.setOutlineColor(sf::Color(242, 163, 58));
    frame.setOutlineThickness(3);
    styleMenuText(
        question, 34, sf::Color(232, 228, 216),
        "Reset statistics?\n\nThe history starts empty. The old one\nis kept beside it as Runs.txt.old");
    question.setPosition(580, 370);
    // "Keep" first: the question opens with the focus on the answer that changes nothing.
    buttons.emplace_back(sf::Vector2i(810, 610), sf::Vector2i(256, 96), keep, nullptr, nullptr, -1, "Keep",
                         "");
    buttons.emplace_back(sf::Vector2i(1110, 610), sf::Vector2i(256, 96), reset, nullptr, nullptr, -1, "Reset",
                         "");
}

void RunsResetState::onEnter() {
    MenuState::onEnter();
    menuShade.setFillColor(sf::Color(0, 0, 0, 140));
}

void RunsResetState::draw() {
    RunsState::getInstance()->draw();
    sf::RenderWindow& window = gameWindow();
    window.draw(menuShade);
    window.draw(frame);
    drawText(window, question, {560, 350, 800, 200}, {0, 0});
    for (MenuButton& button : buttons)
        button.draw();
}

void RunsResetState::handleInput() {
    if (InputState::getInstance()->backPressed())
        keep();
}
