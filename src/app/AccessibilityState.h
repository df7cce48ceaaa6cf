#pragma once
// The accessibility page, opened from the options menu: sprint and each
// hand's fire as holds or toggles, aim help for the pad, tier marks and
// colours on the upgrade screen, the text size and the picture's shape. Like
// the comfort page, every change takes effect at once and is written to
// "Config.cfg" straight away.

#include "app/MenuState.h"
#include "core/Singleton.h"

#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/Text.hpp>

#include <array>
#include <string>

class AccessibilityState : public MenuState, public Singleton<AccessibilityState> {
    friend class Singleton<AccessibilityState>;

  public:
    void onEnter() override;
    void update(float dt) override;
    void draw() override;
    void handleInput() override;

    // What the page shows for each setting's value, row by row.
    static std::string valueText(int row);
    // Writes the settings after a change; a failed write is shown on the page.
    void save();

    // Eight rows of 90 pixels fit above the "Back" button where the comfort
    // page's 120 fit six.
    static constexpr int rowCount = 8;
    static constexpr int firstRowY = 120;
    static constexpr int rowStep = 90;
    static constexpr int rowY(int row) { return firstRowY + row * rowStep; }

    std::array<sf::Text, rowCount> labels;
    std::array<sf::Text, rowCount> values;
    std::array<sf::RectangleShape, rowCount> separators;
    sf::Text saveFailed;
    bool lastSaveFailed = false;

  private:
    AccessibilityState();
};
