#pragma once
// Whether the game can open a window at all: the X display it would use can
// be reached. Asked before anything touches the graphics library, which
// aborts the process when it finds no display.

bool displayAvailable();
