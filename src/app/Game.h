#pragma once
// The program's life: start-up in its fixed order, the frame loop over the
// state stack, and the shutdown order.

// Runs the game until the window closes; returns the process exit status.
int runGame();

// Longest step the game advances in one frame: below 25 frames per second
// the game slows down instead of stepping further.
constexpr float maxFrameTime = 0.04f;
float capFrameTime(float seconds);
