#include "app/GameOverState.h"

#include "app/Camera.h"
#include "app/Contenthandler.h"
#include "app/GameStateHandler.h"
#include "app/Globals.h"
#include "app/MenuActions.h"
#include "app/Score.h"
#include "app/Settings.h"
#include "screens/HSinputscreen.h"
#include "screens/HighscoreTable.h"
#include "screens/Ingame.h"

#include <SFML/Graphics/RenderWindow.hpp>

#include <cmath>
#include <cstdio>
#include <string>

namespace {

constexpr std::size_t secondButton = 1;

void quitOrEnterName() {
    if (GameOverState::getInstance()->highscoreOffered)
        GameStateHandler::getInstance()->pushState(HSinputscreen::getInstance());
    else
        returnToMainMenu();
}

} // namespace

bool GameOverState::restartAllowed() {
    return !hardcoreMode;
}

void GameOverState::onPlayerDeath() {
    // A new death is settled afresh, however the last game-over screen was left.
    settled = false;
    if (hardcoreMode)
        deleteSaves();
    GameStateHandler::getInstance()->scheduleState(this, 2.0f);
}

void GameOverState::deleteSaves() {
    std::remove(savePath);
    std::remove(autosavePath);
}

GameOverState::GameOverState() {
    styleMenuText(title, 160, sf::Color(214, 64, 52), "You lost!", 4, sf::Color(10, 10, 18));
    centreMenuText(title, 80);
    summary.setFont(Contenthandler::getInstance()->fontBeantown);
    summary.setCharacterSize(40);
    summary.setFillColor(sf::Color(232, 228, 216));
    summary.setOutlineColor(sf::Color(10, 10, 18));
    summary.setOutlineThickness(2);

    buttons.emplace_back(sf::Vector2i(960, 400), sf::Vector2i(256, 128), restartLevel, nullptr,
                         restartAllowed, -1, "Restart", "");
    buttons.emplace_back(sf::Vector2i(960, 600), sf::Vector2i(256, 128), quitOrEnterName, nullptr, nullptr,
                         -1, "Quit", "");
}

void GameOverState::onEnter() {
    MenuState::onEnter();
    menuShade.setFillColor(sf::Color(0, 0, 0, 128));
    silenceLevelSounds();
    if (!settled) {
        settled = true;
        highscoreOffered = false;
        if (hardcoreMode) {
            totalScore += carnageBonus + timeBonus + alienKillBonus;
            deleteSaves();
            highscoreOffered = HighscoreTable::getInstance()->qualifies();
        }
        summary.setString(hardcoreMode ? "Hardcore run over on level " + std::to_string(levelNumber) +
                                             "   Final score " + std::to_string(totalScore)
                                       : "Level " + std::to_string(levelNumber));
        centreMenuText(summary, 262);
    }
    labelSecondButton();
}

void GameOverState::onExit() {
    MenuState::onExit();
    settled = false;
}

void GameOverState::labelSecondButton() {
    buttons[secondButton].label.setString(highscoreOffered ? "Highscore!" : "Quit");
}

void GameOverState::update(float dt) {
    Camera::getInstance()->update(dt);
    labelSecondButton();
    MenuState::update(dt);
}

void GameOverState::draw() {
    Ingame::getInstance()->draw();
    MenuState::draw();
    gameWindow().draw(title);
    gameWindow().draw(summary);
}
