#include "persistence/SaveGame.h"

#include "actors/Player.h"
#include "app/GameStateHandler.h"
#include "app/Globals.h"
#include "app/Score.h"
#include "app/Settings.h"
#include "persistence/AtomicFile.h"
#include "persistence/SaveFile.h"
#include "screens/Ingame.h"
#include "world/Maphandler.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <locale>
#include <optional>
#include <system_error>

namespace {

bool readableFile(const std::string& path) {
    std::error_code error;
    return std::filesystem::is_regular_file(path, error) && std::ifstream(path).good();
}

// The save in a file, or nothing when the file cannot be read or holds no save.
std::optional<SaveData> readSaveFile(const std::string& path) {
    // Read-only: a save the user protected must still load.
    std::ifstream in(path);
    if (!in)
        return std::nullopt;
    // The items are read into copies of templates the player's construction builds.
    Player::getInstance();
    SaveData save = readSave(in);
    if (!save.recognised)
        return std::nullopt;
    return save;
}

// The level after the saved one, entered like a new run's first level: a
// fresh map, the level state on top, the player reset for the level.
void startNextLevel() {
    ++levelNumber;
    GameStateHandler* handler = GameStateHandler::getInstance();
    // A game over or score screen scheduled in the level left behind must not open over this one.
    handler->delayActive = false;
    // Counters of the level left behind; the run's total came from the save.
    resetKillTallies();
    carnageBonus = 0;
    Maphandler::getInstance()->newMap(levelNumber);
    // Loaded from a menu over a running level, the menus above that level
    // close; from the main menu the level is pushed over it, as a new run is.
    GameState* level = Ingame::getInstance();
    const auto& states = handler->states;
    if (std::find(states.begin(), states.end(), level) != states.end()) {
        while (handler->top() != level)
            handler->popState();
    } else {
        handler->pushState(level);
    }
    Player::getInstance()->resetForLevel(false);
}

} // namespace

std::string savePath(const std::string& name) {
    return "data/SaveData/" + name + ".txt";
}

bool writeSaveFile(const std::string& path) {
    // A fresh install has no save folder; without it the first save would be lost.
    return writeFileAtomically(
        path, [](std::ostream& out) { writeSave(out, *Player::getInstance()); }, true);
}

bool loadSaveFile(const std::string& path) {
    std::optional<SaveData> save = readSaveFile(path);
    if (!save)
        return false;
    applySave(*save, *Player::getInstance());
    return true;
}

bool saveGame(const std::string& name) {
    return writeSaveFile(savePath(name));
}

bool loadGame(const std::string& name) {
    std::optional<SaveData> save = readSaveFile(savePath(name));
    if (!save)
        return false;
    // Created on first use, the map handler builds a first level and starts
    // the level count over; that must happen before the saved count is set.
    Maphandler::getInstance();
    applySave(*save, *Player::getInstance());
    startNextLevel();
    return true;
}

bool saveExists() {
    return readableFile(savePath("save"));
}
bool autosaveExists() {
    return readableFile(savePath("autosave"));
}
bool loadingAllowed() {
    return !hardcoreMode;
}
