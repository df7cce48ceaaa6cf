#pragma once
// Watching a recording: the run plays in the game's own screens while the
// viewer holds only the playback controls (pause, a frame at a time, ½× to
// 8×, leave). The game loop hands each frame here instead of to the states.

#include "app/Replay.h"
#include "core/KeyboardPoller.h"

#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/Text.hpp>

#include <array>
#include <memory>
#include <string>

class GameState;
namespace sf {
class RenderWindow;
}

// The controls as the viewer pressed them this frame.
struct ViewerControls {
    bool leave = false, pause = false, step = false, faster = false, slower = false;
    int speedChoice = -1; // a speed picked directly, or -1
};

class ReplayViewer {
  public:
    static constexpr std::array<float, 5> speeds{0.5f, 1, 2, 4, 8};
    static constexpr int normalSpeed = 1;
    // The most frames one picture may catch up on, so a slow machine slows
    // the playback down instead of stalling.
    static constexpr int maxFramesPerPicture = 64;

    // Where watching ends: the main menu, the Runs page, the list of
    // recordings over the Runs page, or the screen it was started from.
    enum class Back { mainMenu, runs, recordings, list };
    // Loads the recording now (false with the reason when it cannot be
    // played) and starts watching it at the next frame; afterwards `back`
    // opens (Back::list: `list`, a state singleton, which outlives the viewer).
    static bool request(const std::string& path, Back back, std::string& error, GameState* list = nullptr);
    static bool startRequested();

    void start();
    bool active() const { return player != nullptr; }
    const ReplayPlayer* playing() const { return player.get(); }
    // One picture: the viewer's controls, as many recorded frames as the
    // speed asks for, and the run drawn with the playback bar over it.
    void frame(float seconds);
    // Applies one frame of controls; `seconds` of real time have passed.
    // Returns the number of recorded frames played.
    int control(const ViewerControls& controls, float seconds);
    void stop();

    int speedIndex = normalSpeed;
    bool paused = false;

  private:
    ViewerControls readControls();
    void drawBar(sf::RenderWindow& window);

    std::unique_ptr<ReplayPlayer> player;
    Back back = Back::mainMenu;
    GameState* list = nullptr;
    float budget = 0;
    std::unique_ptr<KeyboardPoller>
        keyboard; // made when watching starts: it opens its own display connection
    std::array<bool, 10> held{};
    sf::RectangleShape bar;
    sf::Text status, hints;
};
