#pragma once
// The name entry after a hardcore run earned a place in the highscore table.
// The frame loop types into the shared name buffer; Return enters the run
// under that name and shows the list, Escape abandons the entry.

#include "app/MenuState.h"
#include "core/Singleton.h"

#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/Text.hpp>

class HSinputscreen : public MenuState, public Singleton<HSinputscreen> {
    friend class Singleton<HSinputscreen>;

  public:
    // Starts the buffer with the name entered last time.
    void onEnter() override;
    void update(float dt) override;
    void draw() override;
    void handleInput() override;

    // Return: enter the run, leave the name entry and open the list on the new entry's page.
    static void confirm();

    sf::Text congratulations;
    sf::Text subtitle;
    sf::Text result;
    sf::Text instruction;
    sf::Text name;
    sf::Text counter;
    sf::Text hint;
    sf::RectangleShape field;
    sf::RectangleShape caret;
    float caretClock = 0; // seconds since the screen opened; the caret blinks on it

  private:
    HSinputscreen();
};
