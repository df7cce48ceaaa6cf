#pragma once
// The program's life: start-up in its fixed order, the frame loop over the
// state stack, and the shutdown order.

namespace sf {
class Clock;
}

// Runs the game until the window closes; returns the process exit status.
int runGame();

// The three phases of runGame, apart for the start-up benchmark.
// startUp reads the settings, opens the window, loads every asset and
// creates the managers in their fixed order; runFrame is one turn of the
// loop; shutDown stops the music and tears the managers down in order.
void startUp();
void runFrame(sf::Clock& clock);
void shutDown();

// Longest step the game advances in one frame: below 25 frames per second
// the game slows down instead of stepping further.
constexpr float maxFrameTime = 0.04f;
float capFrameTime(float seconds);
