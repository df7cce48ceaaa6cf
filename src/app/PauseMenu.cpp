#include "app/PauseMenu.h"

#include "app/GameStateHandler.h"
#include "app/MenuActions.h"
#include "app/Replay.h"
#include "core/Contenthandler.h"
#include "core/InputState.h"
#include "core/RunKind.h"
#include "core/Settings.h"
#include "core/TextSize.h"
#include "persistence/SaveGame.h"
#include "screens/LevelFlow.h"

#include <SFML/Graphics/RenderWindow.hpp>

#include <cmath>

namespace {

constexpr std::size_t loadSaveButton = 0, loadAutosaveButton = 1;

// A save that cannot be loaded leaves the paused run as it is and says so.
void load(const char* name, std::size_t button) {
    bool loaded = continueFromSave(name);
    // Cleared after a load, so that the label does not greet the menu's next visit.
    PauseMenu::getInstance()->buttons[button].altLabel.setString(loaded ? "" : "Cannot load");
}
void loadSave() {
    load("save", loadSaveButton);
}
void loadAutosave() {
    load("autosave", loadAutosaveButton);
}

} // namespace

bool PauseMenu::saveLoadable() {
    return loadingAllowed() && InputState::getInstance()->saveOnDisk;
}
bool PauseMenu::autosaveLoadable() {
    return loadingAllowed() && InputState::getInstance()->autosaveOnDisk;
}
bool PauseMenu::restartAllowed() {
    return !currentRun.oneLife(hardcoreMode);
}

PauseMenu::PauseMenu() {
    styleMenuText(title, 96, sf::Color(242, 163, 58), "Paused", 3, sf::Color(10, 10, 18));
    centreMenuText(title, 110);
    styleMenuText(seedLine, 32, sf::Color(232, 228, 216));

    struct Entry {
        const char* label;
        int x, y;
        MenuButton::Condition enabled;
        MenuButton::Action action;
    };
    const Entry entries[] = {
        {"Load Save", 684, 300, saveLoadable, loadSave},
        {"Load Autosave", 960, 300, autosaveLoadable, loadAutosave},
        {"Restart level", 1236, 300, restartAllowed, restartLevel},
        {"Options", 960, 450, nullptr, openOptions},
        {"Back", 960, 600, nullptr, resumeGame},
        {"Quit", 960, 750, nullptr, returnToMainMenu},
    };
    for (const Entry& e : entries)
        buttons.emplace_back(sf::Vector2i(e.x, e.y), sf::Vector2i(256, 128), e.action, nullptr, e.enabled, 0,
                             e.label, "");
}

void PauseMenu::onEnter() {
    MenuState::onEnter();
    menuShade.setFillColor(sf::Color(0, 0, 0, 128));
    menuShade.setPosition(0, 0);
}

void PauseMenu::update(float dt) {
    MenuState::update(dt);
    silenceLevelSounds();
}

void PauseMenu::draw() {
    const std::vector<GameState*>& states = GameStateHandler::getInstance()->states;
    if (states.size() > 1 && states[1])
        states[1]->draw();
    MenuState::draw();
    drawText(gameWindow(), title, wholeView);
    // Shown each time, since a loaded save may have changed the run.
    seedLine.setString(replay::runLabel());
    centreMenuText(seedLine, 880);
    // Below "Quit", the last button.
    drawText(gameWindow(), seedLine, {0, 840, 1920, 80});
}

void PauseMenu::handleInput() {
    InputState* input = InputState::getInstance();
    if (input->backPressed() || input->actionPressed(Action::Pause))
        GameStateHandler::getInstance()->popState();
}
