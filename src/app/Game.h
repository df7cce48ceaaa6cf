#pragma once
// The program's life: start-up in its fixed order, the frame loop over the
// state stack, and the shutdown order.

#include <functional>
#include <string>
#include <vector>

class InputState;
namespace sf {
class Clock;
class Event;
class RenderWindow;
} // namespace sf

// Runs the game until the window closes; returns the process exit status:
// 0, 1 for a recording that diverged, 2 for bad arguments or a file that is
// no usable recording, noDisplayStatus when no window can be opened.
// The only arguments are "--replay FILE" (watch a recording) and
// "--verify-replay FILE" (play it unseen and say whether it held).
constexpr int noDisplayStatus = 3;
int runGame(const std::vector<std::string>& arguments = {});

// The three phases of runGame, apart for the start-up benchmark.
// startUp reads the settings, opens the window, loads every asset and
// creates the managers in their fixed order; runFrame is one turn of the
// loop; shutDown stops the music and tears the managers down in order.
// With writesSettings off, a settings file repaired for this display is not
// written back (watching and verifying write nothing the player owns).
void startUp(bool writesSettings = true);
void runFrame(sf::Clock& clock);
void shutDown();

// The frame's input says the window lost the focus: a level pauses when the
// player asked for that. The first thing a frame does after its input, live
// and in playback alike.
void pauseIfFocusLost();

// What the loop does with one window event: closing, focus (a loss is noted
// for the frame, which may pause a level when the player asked for that), and
// the highscore name's typing.
void handleWindowEvent(sf::RenderWindow& window, const sf::Event& event);

// One turn of the loop at a fixed step with the input snapshot written by the
// caller instead of read from the devices: a scripted player drives the real
// states this way. Without draw the frame is updated but not rendered.
void runScriptedFrame(float dt, const std::function<void(InputState&)>& writeInput, bool draw = true);
// The part of a frame after the input snapshot: camera, states, input
// handling, and (when draw is set) the picture.
void stepFrame(float dt, bool draw);
// The picture of the frame: the top state, the pointer, then `over` on top of all.
void drawFrame(const std::function<void(sf::RenderWindow&)>& over = nullptr);

// Longest step the game advances in one frame: below 25 frames per second
// the game slows down instead of stepping further.
constexpr float maxFrameTime = 0.04f;
float capFrameTime(float seconds);
