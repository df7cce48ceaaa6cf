#pragma once
// The challenges: today's daily run (its day, seed, the player's best today
// and how many attempts were started), a seeded run from a typed, pasted or
// pad-spelt code or a random one, and the daily table, whose entries can be
// watched. Like every menu it works with the mouse, the keys and a pad. The
// day and the table are read as the screen opens; the run it starts decides
// nothing from them but what it is handed.

#include "app/MenuState.h"
#include "core/Singleton.h"
#include "persistence/DailyTable.h"

#include <SFML/Graphics/CircleShape.hpp>
#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/Text.hpp>

#include <array>
#include <string>

class ChallengesState : public MenuState, public Singleton<ChallengesState> {
    friend class Singleton<ChallengesState>;

  public:
    static constexpr std::size_t tableRows = 5;

    void onEnter() override;
    void onExit() override;
    void update(float dt) override;
    void draw() override;
    void handleInput() override;

    // The buttons' actions.
    void playSeed();
    void randomSeed();
    void playDaily();
    void watchDay(std::size_t row);

    std::string seedField;  // as typed; read as a code when played
    std::string seedError;  // why the field holds no code, shown under it
    std::string watchError; // why a day's recording cannot be watched
    bool spelling = false;  // a pad spells the field: up/down a letter, right next, left erase
    std::string today;      // UTC, read as the screen opens
    DailyTable table;       // read as the screen opens

  private:
    ChallengesState();
    void layOutDaily();

    sf::Text title;
    sf::Text dailyHeading, seededHeading, tableHeading;
    std::array<sf::Text, 4> dailyLines; // day, seed, best, attempts
    sf::Text dailyNote;
    sf::RectangleShape field;
    sf::Text fieldText;
    sf::Text fieldNote;
    std::array<sf::Text, 5> headings; // "Date", "Name", "Score", "Level", "Length"
    sf::Text rowText;
    sf::Text emptyText;
    sf::Text hint;
    sf::RectangleShape rule;
    sf::RectangleShape highlight;
    sf::CircleShape playMark;
    float caretClock = 0;
    bool leftSpelling = false; // this frame's press ended the spelling
};
