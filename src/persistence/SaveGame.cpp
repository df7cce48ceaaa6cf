#include "persistence/SaveGame.h"

#include "actors/Player.h"
#include "core/AtomicFile.h"
#include "core/Globals.h"
#include "core/RunKind.h"
#include "core/Settings.h"

#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>
#include <system_error>
#include <vector>

namespace {

bool readableFile(const std::string& path) {
    std::error_code error;
    return std::filesystem::is_regular_file(path, error) && std::ifstream(path).good();
}

} // namespace

std::optional<std::string> readSaveText(const std::string& path) {
    // Read-only: a save the user protected must still load. Only a file is
    // read: a folder under the name opens, then fails (throws) on reading.
    std::error_code error;
    std::ifstream in(path, std::ios::binary);
    if (!in || !std::filesystem::is_regular_file(path, error))
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
    std::optional<std::string> current = readSaveText(path);
    if (current && !parseSaveText(*current))
        setAside(path);
    // A fresh install has no save folder; without it the first save would be lost.
    return writeFileAtomically(
        path, [](std::ostream& out) { writeSave(out, *Player::getInstance()); }, true, true);
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

// Only whether a file is there to read: a menu asks every frame, and a
// file that turns out damaged says so on its button when pressed.
bool saveExists() {
    return readableFile(savePath("save")) || readableFile(backupPath(savePath("save")));
}
bool autosaveExists() {
    return readableFile(savePath("autosave")) || readableFile(backupPath(savePath("autosave")));
}
bool loadingAllowed() {
    return !currentRun.oneLife(hardcoreMode);
}

void deleteSaves() {
    std::vector<std::string> files;
    for (const char* name : {"save", "autosave"})
        files.insert(files.end(), {savePath(name), backupPath(savePath(name))});
    removeFiles(files);
}

std::optional<std::string> readLoadableSave(const std::string& name) {
    const std::string path = savePath(name);
    std::optional<std::string> text = readSaveText(path);
    if (text && parseSaveText(*text))
        return text;
    std::optional<std::string> backup = readSaveText(backupPath(path));
    if (!backup || !parseSaveText(*backup))
        return std::nullopt;
    std::string aside = text ? setAside(path) : "";
    std::cout << "The save " << path << (text ? " is damaged" : " is missing") << "; loading its backup"
              << (aside.empty() ? "" : "; the damaged file is kept as " + aside) << std::endl;
    return backup;
}
