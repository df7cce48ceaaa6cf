#pragma once
// The comfort page, opened from the options menu: screen shake, flashes,
// blood, pausing when the window loses focus, the levels' frame-rate cap and
// the frame counter. Every change takes effect at once and is written to
// "Config.cfg" straight away, so there is nothing to apply.

#include "app/MenuState.h"
#include "core/Singleton.h"

#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/Text.hpp>

#include <array>
#include <string>

class ComfortState : public MenuState, public Singleton<ComfortState> {
    friend class Singleton<ComfortState>;

  public:
    void onEnter() override;
    void update(float dt) override;
    void draw() override;
    void handleInput() override;

    // Steps between the allowed values: percentages by ten within 0..100,
    // caps along the offered list. A value off the list steps onto it.
    static int percentUp(int percent);
    static int percentDown(int percent);
    static int capUp(int cap);
    static int capDown(int cap);
    // What the page shows for a cap: "Off" or the rate.
    static std::string capText(int cap);

    // Writes the settings after a change; a failed write is shown on the page.
    void save();

    static constexpr int rowCount = 6;
    std::array<sf::Text, rowCount> labels;
    std::array<sf::Text, rowCount> values;
    std::array<sf::RectangleShape, rowCount> separators;
    sf::Text saveFailed;
    bool lastSaveFailed = false;

  private:
    ComfortState();
};
