#pragma once
// The two save files of a run, "save" (the upgrade screen's button) and
// "autosave" (written as each score screen opens), under data/SaveData/.
// Reading and writing only: what a loaded save leads to is the level flow's.

#include "persistence/SaveFile.h"

#include <optional>
#include <string>

// The file a save name stands for: "data/SaveData/" + name + ".txt".
std::string savePath(const std::string& name);

// Writes the run's counters, the player and the player's items. The file is
// written beside the old one and renamed over it, so a failed or interrupted
// write keeps the previous save; the save it replaces is kept as its backup,
// and the folder is created when missing. Returns false, with the old file
// untouched, when the save could not be written.
bool saveGame(const std::string& name);
// Whether there is a file to offer under the name: the save or its backup.
bool saveExists();
bool autosaveExists();
// Whether the in-run load buttons may be offered: never in hardcore mode.
bool loadingAllowed();
// Deletes both saves and their backups, as a hardcore death does: nothing
// is left to go back to.
void deleteSaves();

// The text of the save to load under a name: the save itself, or its backup
// when the save is missing or holds no save. Falling back sets the damaged
// save aside (it is never deleted) and says so in the log. Nothing when
// neither loads.
std::optional<std::string> readLoadableSave(const std::string& name);

// A save file's bytes as they are, and a save read from such bytes (nothing
// when they hold no save).
std::optional<std::string> readSaveText(const std::string& path);
std::optional<SaveData> parseSaveText(const std::string& text);

// The save in a file, or nothing when the file cannot be read or holds
// nothing of a save. Changes nothing.
std::optional<SaveData> readSaveFile(const std::string& path);

// The file forms behind saveGame, for any path. A save that no longer reads
// is set aside before writing rather than kept as the backup, which would
// push out a good one. loadSaveFile applies the save to the globals and the
// player but starts no level.
bool writeSaveFile(const std::string& path);
bool loadSaveFile(const std::string& path);
