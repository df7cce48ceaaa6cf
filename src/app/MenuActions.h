#pragma once
// The button actions the menus over a level share: leaving the run for the
// main menu, resuming and opening the options. Plain functions, so that
// buttons can hold them as actions. The ways into a level are the level
// flow's (screens/LevelFlow.h).

class GameState;

// Ends the run: leaveRun (below), then the player and the score totals
// start over.
void returnToMainMenu();

// Closes the top screen.
void resumeGame();

// Leaves the run for the main menu without resetting anything: the whole
// stack is left, a pending delayed push is dropped and the level's looping
// sounds stop. A load from inside a run starts from here, so that the loaded
// run stands over the main menu as one loaded from the main menu does.
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
