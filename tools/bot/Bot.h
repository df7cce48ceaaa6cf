#pragma once
// A scripted player for the soak tests and the benchmarks. Each frame it
// looks at the state on top of the stack and at the level, writes the keys,
// buttons and mouse a player would hold, and lets the real game step one
// frame with them. It reads whatever it likes but acts only through that
// input: in a level it walks to the brainwash machine along the game's own
// path search, fights the aliens in sight and shoots the machine; on the
// screens between levels it clicks the buttons by their labels.
//
// Where the game's path search falls short, the bot searches the free tiles
// itself; when no free way leads to the machine (a closed room), it takes the
// way that crosses the fewest and weakest walls and shoots each one down. In
// a fight it stands and shoots, backs off when badly hurt, and at range fires
// one gun at a time so that the other is loaded while the first reloads.
//
// It keeps no pointer into the world between frames: enemies, props and
// pickups are looked up afresh every frame, only positions are remembered.

#include <SFML/System/Vector2.hpp>

#include <random>
#include <string>
#include <vector>

class InputState;
class Map;
class MenuState;

class Bot {
  public:
    // What the bot does on the screens where a run can branch.
    struct Orders {
        bool fight = true;         // off: walks toward the nearest alien without shooting, to die
        bool loadAutosave = false; // on the main menu: "Load Autosave" instead of "New Game"
        bool quitToMenu = false;   // in a level: Escape, then the pause menu's quit
        int saveOneIn = 3;         // on the upgrade screen: "Save" on one visit in this many (0 never)
        bool gamepad = false;      // in a level: plays on a pad, read as the game reads a real one
    };

    // One frame of the game at the given step, drawn or not.
    void step(float dt, bool draw);

    // Keeps the light map rendering on undrawn frames too, for measuring a
    // frame's real cost rather than playing fast.
    bool keepLights = false;

    Orders orders;

    // What happened so far, for the test's messages and figures.
    int levelsCleared = 0;       // upgrade screens left through "Continue"
    int deaths = 0;              // game-over screens seen
    int restarts = 0;            // "Restart" clicks
    int saves = 0;               // "Save" clicks
    int quits = 0;               // runs left for the main menu
    int loads = 0;               // "Load Autosave" clicks
    int unsticks = 0;            // times the bot was stuck and walked off at random
    int replans = 0;             // path searches
    int searchesFallenShort = 0; // game path searches that did not reach the goal
    int ownSpells = 0;           // spells of the bot's own search after long without progress
    int breaches = 0;            // walls the bot set out to shoot down
    int wallsBroken = 0;         // of those, walls that broke
    long frames = 0;
    // The time the bot spent deciding its input in the last step: a player's
    // hands cost the game nothing, so a measure of the game's pace leaves it out.
    double lastThinkSeconds = 0;

    // One line on where the run stands: level, top state, player position and health.
    std::string describe() const;
    // The name of the state on top of the stack.
    static std::string topName();

  private:
    // The bot's own choices come from a generator of its own: drawing from
    // the game's would make the game's numbers depend on who plays, and a
    // recording of the bot's run could not be played back without it.
    std::minstd_rand dice{20261207};

    void act(InputState& input, float dt);
    void playLevel(InputState& input, Map& map, float dt);
    void upgrade(InputState& input);
    // Moves the mouse onto the labelled button of a menu and clicks it over
    // two frames (press, then release); false while it is not there or lit.
    bool click(InputState& input, MenuState& menu, const std::string& label, int button = 0);
    bool clickAt(InputState& input, sf::Vector2i point, int button);
    void toggle(InputState& input, int button, int period);
    void walkToward(InputState& input, sf::Vector2f from, sf::Vector2f to);
    // Turns the keys and buttons a level frame holds into one pad reading:
    // the pad buttons of the held actions, the left stick for walking and
    // the right stick toward the pointer.
    static void moveToPad(InputState& input);
    // A route from the game's path search, or from searchGrid when that
    // falls short or the bot has long made no progress; through walls only
    // when mayBreach and no free way leads to the goal.
    void plan(const Map& map, sf::Vector2f from, sf::Vector2f goal, bool mayBreach);
    void finishPlan(const Map& map, sf::Vector2f goal);
    // The cheapest way over the tile grid, four ways, in tile centres; empty
    // when there is none. A free tile costs one step, a movable prop's tile
    // three (it is pushed aside), a wall wallCost and a step per shot it
    // takes (wallCost 0: walls never open). The map's outer ring and the
    // immovable props never open.
    std::vector<sf::Vector2f> searchGrid(const Map& map, sf::Vector2f from, sf::Vector2f goal,
                                         int wallCost) const;

    // The route being walked, in world pixels, and where on it the bot is.
    std::vector<sf::Vector2f> route;
    std::size_t nextWaypoint = 0;
    sf::Vector2f routeGoal;
    float sincePlan = 1000;
    // The first wall on the route while one stands in the way (x < 0 when
    // none), in tiles, and how long it has been shot at.
    sf::Vector2i wallAhead{-1, -1};
    float wallShotFor = 0;
    // Walls that outlasted the bot's fire cost more in later searches. This
    // and the pickups given up are forgotten whenever another screen comes
    // up, since the level may be new after it.
    std::vector<sf::Vector2i> hardWalls;
    // Health pickups the bot gave up on, and how long it has been after the current one.
    std::vector<sf::Vector2f> pickupsLeft;
    float chasedFor = 0;
    // Progress watch: where the player stood when the watch last restarted.
    sf::Vector2f watchPosition;
    float watchTimer = 0;
    sf::Vector2f wanderDirection;
    float wanderTimer = 0;
    // Progress toward the goal; after long without, a spell of the bot's own search.
    sf::Vector2f progressGoal;
    float bestGoalDistance = 1e9f;
    float sinceProgress = 0;
    float ownSearchTimer = 0;
    int grenadeCharge[2] = {0, 0}; // frames a grenade button has been held
    int clickFrame = 0;            // frame within a click: 0 press, 1 release
    int menuWait = 0;              // frames spent on the current screen
    const void* lastTop = nullptr; // compared only, never followed
    bool upgradeDone = false;
    bool savedThisVisit = false;
    bool quitRequested = false;
    int lastClickButton = 0;
    // Counted when the click's release goes out.
    bool continuePending = false;
    bool savePending = false;
};
