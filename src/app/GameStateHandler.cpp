#include "app/GameStateHandler.h"

#include "app/GameOverState.h"
#include "app/GameState.h"
#include "app/MainMenuState.h"
#include "app/OptionsState.h"
#include "app/OverlayInfoState.h"
#include "app/PauseMenu.h"
#include "screens/HSinputscreen.h"
#include "screens/HighscoreTable.h"
#include "screens/Highscorescreen.h"
#include "screens/IntermissionState.h"
#include "screens/OverlayUpgradeState.h"
#include "screens/ScoreScreenState.h"
#include "screens/UpgradeState.h"

#include <cstdlib>
#include <ctime>
#include <iostream>

GameStateHandler::GameStateHandler() {
    std::cout << "GameStateHandler's constructor was called" << std::endl;
    std::srand(static_cast<unsigned>(std::time(nullptr)));
}

GameStateHandler::~GameStateHandler() {
    std::cout << "GameStateHandler's destructor was called" << std::endl;
    states.clear();
    MainMenuState::destroyInstance();
    UpgradeState::destroyInstance();
    OverlayUpgradeState::destroyInstance();
    GameOverState::destroyInstance();
    OptionsState::destroyInstance();
    PauseMenu::destroyInstance();
    OverlayInfoState::destroyInstance();
    HSinputscreen::destroyInstance();
    Highscorescreen::destroyInstance();
    HighscoreTable::destroyInstance();
    IntermissionState::destroyInstance();
    ScoreScreenState::destroyInstance();
}

void GameStateHandler::changeState(GameState* s) {
    if (!states.empty() && states.front()) {
        states.front()->onExit();
        states.erase(states.begin());
    }
    states.insert(states.begin(), s);
    s->onEnter();
    drawEnabled = 0;
}

void GameStateHandler::pushState(GameState* s) {
    states.insert(states.begin(), s);
    s->onEnter();
    drawEnabled = 0;
}

void GameStateHandler::popState() {
    if (states.empty())
        return;
    GameState* leaving = states.front();
    if (leaving)
        leaving->onExit();
    states.erase(states.begin());
    if (!states.empty() && states.front())
        states.front()->onEnter();
}

void GameStateHandler::scheduleState(GameState* s, float delay) {
    delayDuration = delayRemaining = delayPrevious = delay;
    delayActive = true;
    pendingState = s;
}

void GameStateHandler::update(float dt) {
    if (states.empty())
        pushState(MainMenuState::getInstance());
    if (states.front() && states.front()->popRequested)
        popState();
    if (!states.empty() && states.front())
        states.front()->update(dt);
    if (delayActive) {
        delayPrevious = delayRemaining;
        delayRemaining -= dt;
    }
    // Seen once per schedule: only the frame in which the timer crossed zero.
    if (delayRemaining <= 0 && delayPrevious > 0 && pendingState)
        pushState(pendingState);
}
