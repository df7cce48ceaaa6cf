#pragma once
// The two save files of a run, "save" (the upgrade screen's button) and
// "autosave" (written as each score screen opens), under data/SaveData/.

#include <string>

// Writes the run's counters, the player and the player's items.
void saveGame(const std::string& name);
// Reads a save and starts the level after the one it was written on.
void loadGame(const std::string& name);
bool saveExists();
bool autosaveExists();
// Whether the in-run load buttons may be offered: never in hardcore mode.
bool loadingAllowed();
