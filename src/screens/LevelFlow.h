#pragma once
// Every way into a level, in one place: a new run, playing the level again,
// the next level after the upgrade screen, and continuing a saved run. Each
// of them drops a screen still scheduled for the level left behind, sets the
// level number, generates the one map of the level, resets the player for it
// and leaves the level state on the stack with nothing above it but what the
// way in shows first (the opening door wipe after the upgrade screen). No
// other code writes the level number, except the save reader.
//
// Plain functions, so that menu buttons can hold them as actions.

#include <string>

// "New Game": level 1 of a fresh run, over the main menu.
void startNewRun();

// "Restart level": the current level again on a freshly generated map,
// keeping the run's experience, stats and items. Every screen above the
// level leaves the stack, so restarts never pile up screens underneath.
void restartLevel();

// "Continue" on the upgrade screen: the next level, revealed by the door wipe.
void enterNextLevel();

// Continues the run saved under `name` ("save" or "autosave") at the level
// after the one it was saved on, or from its backup when the save itself
// cannot be read. A run being played is left first. A file
// that cannot be loaded (missing, not a save, damaged beyond use) changes
// nothing, not even the run being played, and returns false.
bool continueFromSave(const std::string& name);
// The same from a save's text.
bool continueFromSaveText(const std::string& text);
