#pragma once
// Process-wide run state shared by the screens, the map generator and the save files.

// The level being played: 1 for a new run, raised by one per level cleared.
extern int levelNumber;
// True while the main menu is the screen being updated; the options menu
// only offers the hardcore toggle there.
extern bool inMainMenu;
