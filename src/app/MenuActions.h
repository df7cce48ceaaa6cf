#pragma once
// The button actions the menus over a level share: leaving the run for the
// main menu, playing the level again, resuming, loading a save and opening
// the options. Plain functions, so that buttons can hold them as actions.

class GameState;

// Ends the run: leaveRun (below), then the player and the score totals
// start over.
void returnToMainMenu();

// Plays the current level again on a freshly generated map, keeping the
// run's experience, stats and items. Every screen above the level leaves
// the stack, so restarts never pile up screens underneath.
void restartLevel();

// Closes the top screen.
void resumeGame();

// Leaves the run for the main menu without resetting anything: the whole
// stack is left, a pending delayed push is dropped and the level's looping
// sounds stop. A load from inside a run starts from here, as the main menu's
// load buttons do.
void leaveRun();

// Opens the options menu with its volume copies taken from the settings.
void openOptions();

// Stops the sounds that loop while a level runs (the weapons, both chainsaw
// idles, the brainwash machine's signal). The level starts them again when
// it resumes.
void silenceLevelSounds();

// Removes every state above `target` (each leaves with onExit) and enters
// `target` again; returns false, leaving the stack alone, when `target` is
// not on the stack.
bool unwindTo(GameState* target);
