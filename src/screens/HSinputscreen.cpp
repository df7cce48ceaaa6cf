#include "screens/HSinputscreen.h"

#include "app/GameOverState.h"
#include "app/GameStateHandler.h"
#include "core/Contenthandler.h"
#include "core/Globals.h"
#include "core/InputState.h"
#include "core/Settings.h"
#include "core/TextEntry.h"
#include "core/TextSize.h"
#include "persistence/HighscoreTable.h"
#include "screens/Highscorescreen.h"
#include "world/Score.h"

#include <SFML/Graphics/RenderWindow.hpp>

#include <cmath>
#include <string>

namespace {

const sf::Color amber(242, 163, 58);
const sf::Color offWhite(232, 228, 216);
const sf::Color grey(150, 156, 172);

} // namespace

HSinputscreen::HSinputscreen() {
    background.setTexture(Contenthandler::getInstance()->optionsBackgroundTexture);
    styleMenuText(congratulations, 80, amber, "Congratulations!");
    centreMenuText(congratulations, 100);
    styleMenuText(subtitle, 80, offWhite, "You got a high score!");
    centreMenuText(subtitle, 200);
    styleMenuText(result, 36, grey);
    styleMenuText(instruction, 36, offWhite, "Type your name below and press enter to continue");
    centreMenuText(instruction, 420);
    styleMenuText(name, 64, offWhite);
    styleMenuText(counter, 26, grey);
    styleMenuText(hint, 26, grey, "Escape leaves without entering the score");
    centreMenuText(hint, 780);
    field.setSize(sf::Vector2f(760, 110));
    field.setPosition(580, 500);
    field.setFillColor(sf::Color(8, 10, 18, 200));
    field.setOutlineColor(amber);
    field.setOutlineThickness(2);
    caret.setSize(sf::Vector2f(4, 64));
    caret.setFillColor(amber);
}

void HSinputscreen::onEnter() {
    MenuState::onEnter();
    // The remembered name comes from the settings file, which may hold anything.
    enteredName = HighscoreTable::cleanName(previousName);
    caretClock = 0;
    result.setString("Level " + std::to_string(levelNumber) + "   Score " + std::to_string(totalScore));
    centreMenuText(result, 310);
}

void HSinputscreen::update(float dt) {
    caretClock += dt;
    name.setString(enteredName);
    sf::FloatRect box = name.getLocalBounds();
    // The name stays centred in the field; the caret follows its end.
    float left = std::trunc(960 - box.width * 0.5f);
    name.setPosition(left - box.left, 520);
    caret.setPosition(left + box.width + 8, 523);
    counter.setString(std::to_string(enteredName.size()) + " / " + std::to_string(maxNameLength));
    sf::FloatRect counterBox = counter.getLocalBounds();
    counter.setPosition(std::trunc(1340 - counterBox.width - counterBox.left), 625);
    MenuState::update(dt);
}

void HSinputscreen::draw() {
    MenuState::draw();
    sf::RenderWindow& window = gameWindow();
    drawText(window, congratulations, wholeView);
    drawText(window, subtitle, roomAround(subtitle, 0, 1920, 110));
    drawText(window, result, roomAround(result, 0, 1920, 60));
    drawText(window, instruction, roomAround(instruction, 0, 1920, 60));
    window.draw(field);
    // The caret follows the name as laid out, so the name keeps its size (it is large already).
    drawTextAsLaidOut(window, name, field.getGlobalBounds());
    if (std::fmod(caretClock, 1.0f) < 0.6f)
        window.draw(caret);
    drawText(window, counter, roomAround(counter, 580, 760, 40), {1, 0.5f});
    drawText(window, hint, roomAround(hint, 0, 1920, 44));
}

void HSinputscreen::confirm() {
    HighscoreTable* table = HighscoreTable::getInstance();
    table->insert(enteredName);
    // This death has had its entry; the game-over screen now only offers to quit.
    GameOverState::getInstance()->highscoreOffered = false;
    GameStateHandler* handler = GameStateHandler::getInstance();
    handler->popState();
    handler->pushState(Highscorescreen::getInstance());
    if (table->recentIndex >= 0)
        table->page = static_cast<unsigned>(table->recentIndex) / (3 * HighscoreTable::entriesPerPage);
}

void HSinputscreen::handleInput() {
    InputState* input = InputState::getInstance();
    if (input->backPressed())
        GameStateHandler::getInstance()->popState();
    else if (input->pressed(sf::Keyboard::Return) || input->padPressed(PadButton::A) ||
             input->padPressed(PadButton::Start))
        confirm();
    else if (input->padActive)
        spellWithPad(enteredName, input->navigation());
}
