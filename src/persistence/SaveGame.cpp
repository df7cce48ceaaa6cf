#include "persistence/SaveGame.h"

#include "app/Settings.h"

// Placeholder until the save files land.
void saveGame(const std::string&) {}
void loadGame(const std::string&) {}
bool saveExists() { return false; }
bool autosaveExists() { return false; }
bool loadingAllowed() { return !hardcoreMode; }
