#include "app/MenuActions.h"

#include "actors/Player.h"
#include "app/Contenthandler.h"
#include "app/GameState.h"
#include "app/GameStateHandler.h"
#include "app/Globals.h"
#include "app/MainMenuState.h"
#include "app/OptionsState.h"
#include "app/Score.h"
#include "app/Settings.h"
#include "screens/Ingame.h"
#include "screens/IntermissionState.h"
#include "world/Maphandler.h"

#include <algorithm>

// Every state leaves the stack without the ones below being entered on the
// way down: each of them would otherwise restart its music or its camera for
// nothing. The main menu is then entered as the only state.
void leaveRun() {
    GameStateHandler* handler = GameStateHandler::getInstance();
    handler->delayActive = false;
    silenceLevelSounds();
    while (!handler->states.empty()) {
        GameState* leaving = handler->states.front();
        handler->states.erase(handler->states.begin());
        if (leaving)
            leaving->onExit();
    }
    handler->pushState(MainMenuState::getInstance());
}

bool unwindTo(GameState* target) {
    GameStateHandler* handler = GameStateHandler::getInstance();
    std::vector<GameState*>& states = handler->states;
    if (std::find(states.begin(), states.end(), target) == states.end())
        return false;
    while (states.front() != target) {
        GameState* leaving = states.front();
        states.erase(states.begin());
        if (leaving)
            leaving->onExit();
    }
    target->onEnter();
    return true;
}

void returnToMainMenu() {
    leaveRun();
    Player::getInstance()->resetForLevel(true);
    resetScores();
    // A run left mid-wipe must not start the next one with the doors half open.
    IntermissionState::getInstance()->resetToClosing();
}

void restartLevel() {
    GameStateHandler* handler = GameStateHandler::getInstance();
    handler->delayActive = false;
    Maphandler::getInstance()->newMap(levelNumber);
    Ingame* level = Ingame::getInstance();
    if (!unwindTo(level))
        handler->pushState(level);
    Player::getInstance()->resetForLevel(false);
    // Entered once more now that the player stands on the new map: the camera snaps onto him.
    level->onEnter();
}

void resumeGame() {
    GameStateHandler::getInstance()->popState();
}

void openOptions() {
    OptionsState* options = OptionsState::getInstance();
    GameStateHandler::getInstance()->pushState(options);
    options->editMusicVolume = musicVolume;
    options->editSoundVolume = soundVolume;
}

void silenceLevelSounds() {
    Contenthandler* content = Contenthandler::getInstance();
    for (int hand = 0; hand < 2; ++hand) {
        content->weaponSounds[hand].stop();
        content->chainsawIdleSounds[hand].stop();
    }
    content->machineSignalSound.stop();
}
