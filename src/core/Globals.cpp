#include "core/Globals.h"

int levelNumber = 1;
bool inMainMenu = false;
