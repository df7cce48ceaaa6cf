#pragma once
// The highscore list: 15 entries a page with their rank, name, level and
// score, the entry added last highlighted, paging buttons, a note that only
// hardcore runs are listed, and a way back to the main menu. An entry whose
// run left a recording has a play mark and can be watched: clicked, or
// reached with the keys or a pad.

#include "app/MenuState.h"
#include "core/Singleton.h"

#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/Text.hpp>

#include <SFML/Graphics/CircleShape.hpp>

#include <array>
#include <string>
#include <vector>

struct RecordingEntry;

class Highscorescreen : public MenuState, public Singleton<Highscorescreen> {
    friend class Singleton<Highscorescreen>;

  public:
    // Opens on the first page.
    void onEnter() override;
    void draw() override;
    void handleInput() override;

    // Paging: "up" and "dn", enabled while there is a page that way.
    static void pageUp();
    static void pageDown();
    static bool hasPreviousPage();
    static bool hasNextPage();

    // The recording of each entry of the table's lines ("" for none): a file
    // marked as a highscore run's whose level and score are the entry's,
    // each file given to one entry at most.
    static std::vector<std::string> entryRecordings(const std::vector<std::string>& lines,
                                                    const std::vector<RecordingEntry>& recordings);
    void watch(std::size_t entry);

    sf::Text title;
    std::array<sf::Text, 3> headings; // "Name", "Level", "Score"
    sf::Text rowText;                 // drawn once per cell
    sf::Text emptyText;
    sf::Text pageText;
    sf::Text note;
    sf::Text writeFailed; // the entry is listed but did not reach the file
    sf::Text hint;        // how to watch, or in red why watching failed
    sf::RectangleShape highlight;
    sf::RectangleShape focusFrame; // the row with the focus
    sf::CircleShape playMark;
    sf::RectangleShape rule; // under the headings

    std::vector<std::string> recordings; // per entry, read as the list opens
    std::string watchError;

  private:
    Highscorescreen();
};
