#include "screens/HSinputscreen.h"

#include "app/Contenthandler.h"
#include "app/GameOverState.h"
#include "app/GameStateHandler.h"
#include "app/Globals.h"
#include "app/InputState.h"
#include "app/Score.h"
#include "app/Settings.h"
#include "app/TextEntry.h"
#include "screens/HighscoreTable.h"
#include "screens/Highscorescreen.h"

#include <SFML/Graphics/RenderWindow.hpp>

#include <cmath>
#include <string>

namespace {

const sf::Color amber(242, 163, 58);
const sf::Color offWhite(232, 228, 216);
const sf::Color grey(150, 156, 172);

void style(sf::Text& text, unsigned size, sf::Color colour, const std::string& string = "") {
    text.setFont(Contenthandler::getInstance()->fontBeantown);
    text.setCharacterSize(size);
    text.setFillColor(colour);
    text.setOutlineColor(sf::Color(10, 10, 18, 200));
    text.setOutlineThickness(2);
    text.setString(string);
}

void centre(sf::Text& text, float y) {
    sf::FloatRect box = text.getLocalBounds();
    text.setPosition(std::trunc(960 - box.width * 0.5f - box.left), y);
}

} // namespace

HSinputscreen::HSinputscreen() {
    background.setTexture(Contenthandler::getInstance()->optionsBackgroundTexture);
    style(congratulations, 80, amber, "Congratulations!");
    centre(congratulations, 100);
    style(subtitle, 80, offWhite, "You got a high score!");
    centre(subtitle, 200);
    style(result, 36, grey);
    style(instruction, 36, offWhite, "Type your name below and press enter to continue");
    centre(instruction, 420);
    style(name, 64, offWhite);
    style(counter, 26, grey);
    style(hint, 26, grey, "Escape leaves without entering the score");
    centre(hint, 780);
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
    centre(result, 310);
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
    for (const sf::Text* text : {&congratulations, &subtitle, &result, &instruction})
        window.draw(*text);
    window.draw(field);
    window.draw(name);
    if (std::fmod(caretClock, 1.0f) < 0.6f)
        window.draw(caret);
    window.draw(counter);
    window.draw(hint);
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
    if (input->pressed(sf::Keyboard::Escape))
        GameStateHandler::getInstance()->popState();
    else if (input->pressed(sf::Keyboard::Return))
        confirm();
}
