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

#include "core/SeedCode.h"

#include <string>

// "New Game": level 1 of a fresh run, over the main menu.
void startNewRun();

// A seeded run: like "New Game", but each level and the upgrade offers after
// it come from generators started from the seed, the level number and what
// they are for, and the rest of the run from a stream started from the seed.
void startSeededRun(Seed seed);
// A daily run of the given UTC day: the day's seed, one life, no saves.
// Whether the attempt counts was decided by the caller as it started (the
// shell reads the clock and the daily table; a run never does).
void startDailyRun(const std::string& day, bool counts);

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
