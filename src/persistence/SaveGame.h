#pragma once
// The two save files of a run, "save" (the upgrade screen's button) and
// "autosave" (written as each score screen opens), under data/SaveData/.

#include <string>

// The file a save name stands for: "data/SaveData/" + name + ".txt".
std::string savePath(const std::string& name);

// Writes the run's counters, the player and the player's items. The file is
// written beside the old one and renamed over it, so a failed or interrupted
// write keeps the previous save; the folder is created when missing. Returns
// false, with the old file untouched, when the save could not be written.
bool saveGame(const std::string& name);
// Reads a save and starts the level after the one it was written on, with
// the saved player and items, the way "New Game" starts a level. A file that
// cannot be read or holds nothing of a save changes nothing and returns false.
bool loadGame(const std::string& name);
bool saveExists();
bool autosaveExists();
// Whether the in-run load buttons may be offered: never in hardcore mode.
bool loadingAllowed();

// The file forms behind saveGame and loadGame, for any path. loadSaveFile
// applies the save to the globals and the player but starts no level.
bool writeSaveFile(const std::string& path);
bool loadSaveFile(const std::string& path);
