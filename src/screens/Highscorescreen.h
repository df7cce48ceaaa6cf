#pragma once
// The highscore list: 15 entries a page with their rank, name, level and
// score, the entry added last highlighted, paging buttons, a note that only
// hardcore runs are listed, and a way back to the main menu.

#include "app/MenuState.h"
#include "app/Singleton.h"

#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/Text.hpp>

#include <array>

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

    sf::Text title;
    std::array<sf::Text, 3> headings; // "Name", "Level", "Score"
    sf::Text rowText;                 // drawn once per cell
    sf::Text emptyText;
    sf::Text pageText;
    sf::Text note;
    sf::Text writeFailed; // the entry is listed but did not reach the file
    sf::RectangleShape highlight;
    sf::RectangleShape rule; // under the headings

  private:
    Highscorescreen();
};
