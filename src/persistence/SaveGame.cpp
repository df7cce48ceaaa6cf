#include "persistence/SaveGame.h"

#include "actors/Player.h"
#include "core/AtomicFile.h"
#include "core/Globals.h"
#include "core/Settings.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <system_error>

namespace {

bool readableFile(const std::string& path) {
    std::error_code error;
    return std::filesystem::is_regular_file(path, error) && std::ifstream(path).good();
}

} // namespace

std::optional<std::string> readSaveText(const std::string& path) {
    // Read-only: a save the user protected must still load.
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::optional<SaveData> parseSaveText(const std::string& text) {
    std::istringstream in(text);
    // The items are read into copies of templates the player's construction builds.
    Player::getInstance();
    SaveData save = readSave(in);
    if (!save.recognised)
        return std::nullopt;
    return save;
}

std::optional<SaveData> readSaveFile(const std::string& path) {
    std::optional<std::string> text = readSaveText(path);
    return text ? parseSaveText(*text) : std::nullopt;
}

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

bool saveExists() {
    return readableFile(savePath("save"));
}
bool autosaveExists() {
    return readableFile(savePath("autosave"));
}
bool loadingAllowed() {
    return !hardcoreMode;
}

void deleteSaves() {
    if (writesHeld())
        return;
    std::remove(savePath("save").c_str());
    std::remove(savePath("autosave").c_str());
}
