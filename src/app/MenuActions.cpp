#include "app/MenuActions.h"

#include "actors/Player.h"
#include "app/GameState.h"
#include "app/GameStateHandler.h"
#include "app/MainMenuState.h"
#include "app/OptionsState.h"
#include "core/Contenthandler.h"
#include "core/Globals.h"
#include "core/Settings.h"
#include "screens/IntermissionState.h"
#include "world/Score.h"

// Every state leaves the stack without the ones below being entered on the
// way down: each of them would otherwise restart its music or its camera for
// nothing. The main menu is then entered as the only state.
void leaveRun() {
    GameStateHandler* handler = GameStateHandler::getInstance();
    handler->cancelScheduled();
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
    if (!handler->holds(target))
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
