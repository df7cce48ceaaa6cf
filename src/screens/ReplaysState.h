#pragma once
// The list of recordings: date, level reached, score and length, newest
// first, 15 a page, hardcore and highscore runs marked. A row is watched by
// clicking it or by walking the list with the keys or a pad; when a
// recording cannot be played the reason shows under the list. The list is
// read afresh each time the screen opens, and watching comes back here. It
// is the Runs page's "Recordings" tab, and "Back" returns to that page.

#include "app/MenuState.h"
#include "core/Singleton.h"
#include "persistence/ReplayFile.h"

#include <SFML/Graphics/CircleShape.hpp>
#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/Text.hpp>

#include <array>
#include <string>
#include <vector>

class ReplaysState : public MenuState, public Singleton<ReplaysState> {
    friend class Singleton<ReplaysState>;

  public:
    static constexpr std::size_t rowsPerPage = 15;

    void onEnter() override;
    void draw() override;
    void handleInput() override;

    // Starts watching the recording listed at `index`, or shows why it cannot be.
    void watch(std::size_t index);
    unsigned pageCount() const;
    // "m:ss", minutes counting on past the hour.
    static std::string lengthText(float seconds);

    std::vector<RecordingEntry> recordings; // newest first
    unsigned page = 0;
    std::string watchError; // the reason the last recording picked could not be played

    sf::Text title;
    std::array<sf::Text, 4> headings; // "Date", "Level", "Score", "Length"
    sf::Text rowText;                 // drawn once per cell
    sf::Text markText;                // "Hardcore" or "Highscore"
    sf::Text emptyText;
    sf::Text pageText;
    sf::Text note;
    sf::Text hint;                // how to watch, or in red why watching failed
    sf::RectangleShape rule;      // under the headings
    sf::RectangleShape highlight; // the row with the focus
    sf::CircleShape playMark;     // at the end of every row that can be watched

  private:
    ReplaysState();
};
