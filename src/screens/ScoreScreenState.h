#pragma once
// The screen after a cleared level, drawn over the frozen level: it writes the
// autosave, counts the level's score up line by line (for longer the better
// the level went), hands out experience, celebrates the total with sparks, a
// cheer and music, and on a click banks the score and hands over to the
// upgrade screen behind the door wipe. A singleton, pushed over Ingame by the
// brainwash machine's destruction.

#include "app/MenuState.h"
#include "core/Singleton.h"
#include "core/StatBar.h"

#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/Text.hpp>

class Player;

class ScoreScreenState : public MenuState, public Singleton<ScoreScreenState> {
    friend class Singleton<ScoreScreenState>;

  public:
    void onEnter() override;
    void update(float dt) override;
    void draw() override;

    // The rules of the screen, open to tests.
    // How good the level was against what it offered, within [0.1, 1].
    static float scoreRatioFor(int score, int reference);
    // Seconds the count-up takes: four for a perfect level, capped by the
    // counting sound's length (when there is one) and never under 0.1.
    static float countDurationFor(float scoreRatio, float soundSeconds);
    // Adds the level's experience to the player and raises his level while
    // it is above the threshold; returns the experience given.
    static int awardExperience(Player& player, int score);
    // Magenta for a poor level turning green for a perfect one (share 0 to 1).
    static sf::Color barColourFor(float share);

    // The lines in the order they stand on the screen.
    enum Line {
        alienKillsBonusLine,
        humanSavedBonusLine,
        timeBonusLine,
        carnageBonusLine,
        totalLine,
        meleeKillsLine,
        rangedKillsLine,
        humansSavedLine,
        timeSpentLine,
        lineCount
    };
    // What a line counts up to, read from the score counters and the map.
    static int targetOf(Line line);

    sf::Text texts[lineCount];
    int shown[lineCount] = {}; // the displayed tallies
    float countDuration = 1;
    float countTimer = 0;
    float countPrevious = 0;
    bool counting = false;
    bool celebrated = false;
    float scoreRatio = 0.1f;
    StatBar scoreBar;
    sf::Color barColour = sf::Color(127, 0, 255);
    sf::Color textColour = sf::Color(255, 236, 139);
    int experienceGained = 0;
    int levelsGained = 0;

    // Whether this frame's input ends the screen: a right click (or Space or
    // Return) once the total has been reached, a left click once it shows
    // the exact level score.
    bool finishRequested(bool leftReleased, bool rightReleased, bool continueKey) const;

  private:
    ScoreScreenState();
    // The displayed tallies catch up with the count-up's progress.
    void countUp();
    void celebrate();
    // Banks the score and hands over to the upgrade screen behind the wipe.
    void finish();
    void layoutPanel();

    sf::RectangleShape panel;
    sf::RectangleShape totalBand;
    sf::RectangleShape rule;
    sf::RectangleShape corners[8];
    sf::Text title;
    sf::Text barCaption, barPercent;
    sf::Text experienceText, levelUpText, hint;
    sf::Text seedLine; // above the panel: a seeded or daily run's seed
    float sinceCelebration = 0;
};
