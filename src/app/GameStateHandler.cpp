#include "app/GameStateHandler.h"

#include "app/AccessibilityState.h"
#include "app/ComfortState.h"
#include "app/ControlsState.h"
#include "app/GameOverState.h"
#include "app/GameState.h"
#include "app/MainMenuState.h"
#include "app/OptionsState.h"
#include "app/OverlayInfoState.h"
#include "app/PauseMenu.h"
#include "persistence/HighscoreTable.h"
#include "screens/HSinputscreen.h"
#include "screens/Highscorescreen.h"
#include "screens/IntermissionState.h"
#include "screens/OverlayUpgradeState.h"
#include "screens/ReplaysState.h"
#include "screens/RunsResetState.h"
#include "screens/RunsState.h"
#include "screens/ScoreScreenState.h"
#include "screens/UpgradeState.h"

#include <algorithm>
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
    ComfortState::destroyInstance();
    AccessibilityState::destroyInstance();
    ControlsState::destroyInstance();
    PauseMenu::destroyInstance();
    OverlayInfoState::destroyInstance();
    HSinputscreen::destroyInstance();
    Highscorescreen::destroyInstance();
    HighscoreTable::destroyInstance();
    IntermissionState::destroyInstance();
    ScoreScreenState::destroyInstance();
    // Their texts use the registry's fonts, which go with it at shutdown.
    ReplaysState::destroyInstance();
    RunsState::destroyInstance();
    RunsResetState::destroyInstance();
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
    if (s == pendingState)
        cancelScheduled();
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
    delayAnchor = top();
}

void GameStateHandler::cancelScheduled() {
    delayActive = false;
    pendingState = nullptr;
    delayAnchor = nullptr;
}

void GameStateHandler::update(float dt) {
    if (states.empty())
        pushState(MainMenuState::getInstance());
    if (states.front() && states.front()->popRequested)
        popState();
    if (!states.empty() && states.front())
        states.front()->update(dt);
    advanceSchedule(dt);
}

bool GameStateHandler::holds(const GameState* s) const {
    return std::find(states.begin(), states.end(), s) != states.end();
}

void GameStateHandler::advanceSchedule(float dt) {
    if (!delayActive || top() != delayAnchor)
        return;
    delayPrevious = delayRemaining;
    delayRemaining -= dt;
    if (delayRemaining > 0 || delayPrevious <= 0 || !pendingState)
        return;
    GameState* due = pendingState;
    cancelScheduled();
    // A singleton screen is on the stack once at most.
    if (!holds(due))
        pushState(due);
}
