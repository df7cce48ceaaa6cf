#pragma once
// The screen over the level two seconds after the player died: "Restart"
// (not in hardcore mode) and "Quit", which reads "Highscore!" and leads to the
// name entry when a hardcore run earned a place in the table, and "Watch",
// which plays the run's recording from its start; beside them, what killed
// the player and the last hits he took. A hardcore
// death is settled once, when the screen first opens: the level's partial
// score is banked and both save files are deleted.

#include "app/MenuState.h"
#include "core/Singleton.h"
#include "screens/DeathRecap.h"

#include <SFML/Graphics/Text.hpp>

class GameOverState : public MenuState, public Singleton<GameOverState> {
    friend class Singleton<GameOverState>;

  public:
    void onEnter() override;
    void onExit() override;
    void update(float dt) override;
    void draw() override;

    static bool restartAllowed();
    static bool watchAllowed();

    // The moment the player dies: the screen is scheduled two seconds ahead,
    // and a hardcore death deletes the saves at once, so closing the game
    // before the screen shows cannot keep a save to go back to.
    void onPlayerDeath();

    sf::Text title;
    sf::Text summary;  // the level, or a hardcore or daily run's final score
    sf::Text seedLine; // a seeded or daily run's seed
    DeathRecap recap;  // what killed the player, beside the buttons
    // Whether the second button offers the name entry. Cleared once the
    // name has been entered, so one death enters the table at most once.
    bool highscoreOffered = false;

  private:
    GameOverState();
    // Shows "Highscore!" or "Quit" on the second button.
    void labelSecondButton();

    // True from the first entry until the screen leaves the stack: covering
    // it with the name entry or the list and coming back must not bank the
    // score or ask the table again.
    bool settled = false;
};
