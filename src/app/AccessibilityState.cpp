#include "app/AccessibilityState.h"

#include "app/GameStateHandler.h"
#include "app/OptionRows.h"
#include "core/Contenthandler.h"
#include "core/InputState.h"
#include "core/Settings.h"
#include "core/TextSize.h"

#include <SFML/Graphics/RenderWindow.hpp>

#include <algorithm>
#include <functional>
#include <iterator>

namespace {

using namespace optionrows;

// Each change is saved at once, like the comfort page's.
MenuButton::Action saving(std::function<void()> change) {
    return [change = std::move(change)] {
        change();
        AccessibilityState::getInstance()->save();
    };
}

int textSizeStep(int direction) {
    auto at = std::find(textSizes.begin(), textSizes.end(), nearestTextSize(textSizePercent));
    auto index = std::clamp(std::distance(textSizes.begin(), at) + direction, std::ptrdiff_t(0),
                            std::ptrdiff_t(textSizes.size()) - 1);
    return textSizes[static_cast<std::size_t>(index)];
}

const char* holdOrToggle(bool toggles) {
    return toggles ? "Toggle" : "Hold";
}

} // namespace

std::string AccessibilityState::valueText(int row) {
    switch (row) {
    case 0:
        return holdOrToggle(sprintToggles);
    case 1:
        return holdOrToggle(fireToggles[0]);
    case 2:
        return holdOrToggle(fireToggles[1]);
    case 3:
        return aimHelp == 0 ? "Off" : aimHelp == 1 ? "Low" : "High";
    case 4:
        return tierMarks ? "ON" : "OFF";
    case 5:
        return tierPalette == 0 ? "Standard" : "Colour-blind safe";
    case 6:
        return std::to_string(textSizePercent) + " %";
    default:
        return letterbox ? "16:9" : "Stretched";
    }
}

AccessibilityState::AccessibilityState() {
    background.setTexture(Contenthandler::getInstance()->optionsBackgroundTexture);
    const char* names[rowCount] = {"Sprint",     "Fire, left hand", "Fire, right hand", "Aim help (pad)",
                                   "Tier marks", "Tier colours",    "Text size",        "Picture shape"};
    for (int row = 0; row < rowCount; ++row) {
        const auto at = static_cast<std::size_t>(row);
        styleMenuText(labels[at], 40, labelColour, names[row]);
        styleMenuText(values[at], 40, valueColour);
        separators[at].setSize(sf::Vector2f(1160, 1));
        separators[at].setPosition(380, static_cast<float>(rowY(row) + rowStep / 2));
        separators[at].setFillColor(sf::Color(150, 160, 185, 50));
    }
    styleMenuText(saveFailed, 24, sf::Color(230, 90, 70),
                  "Could not write Config.cfg; the settings last only until you quit");
    placeMenuText(saveFailed, 960, 965, Align::centre);

    auto add = [this](int x, int row, sf::Vector2i size, MenuButton::Action action,
                      MenuButton::Condition enabled, const char* label) {
        buttons.emplace_back(sf::Vector2i(x, rowY(row)), size, std::move(action), nullptr, std::move(enabled),
                             -1, label, "");
        // A lone sign at the buttons' text size is too small to hit by eye.
        if (size == stepSize)
            buttons.back().label.setCharacterSize(40);
    };
    add(plusX, 0, toggleSize, saving([] { sprintToggles = !sprintToggles; }), nullptr, "Toggle");
    add(plusX, 1, toggleSize, saving([] { fireToggles[0] = !fireToggles[0]; }), nullptr, "Toggle");
    add(plusX, 2, toggleSize, saving([] { fireToggles[1] = !fireToggles[1]; }), nullptr, "Toggle");
    add(
        minusX, 3, stepSize, saving([] { aimHelp = std::max(aimHelp - 1, 0); }), [] { return aimHelp > 0; },
        "-");
    add(
        plusX, 3, stepSize, saving([] { aimHelp = std::min(aimHelp + 1, 2); }), [] { return aimHelp < 2; },
        "+");
    add(plusX, 4, toggleSize, saving([] { tierMarks = !tierMarks; }), nullptr, "Toggle");
    add(plusX, 5, toggleSize, saving([] { tierPalette = 1 - tierPalette; }), nullptr, "Toggle");
    add(
        minusX, 6, stepSize, saving([] { textSizePercent = textSizeStep(-1); }),
        [] { return textSizePercent > textSizes.front(); }, "-");
    add(
        plusX, 6, stepSize, saving([] { textSizePercent = textSizeStep(1); }),
        [] { return textSizePercent < textSizes.back(); }, "+");
    add(plusX, 7, toggleSize, saving([] { letterbox = !letterbox; }), nullptr, "Toggle");
    buttons.emplace_back(
        sf::Vector2i(960, 880), sf::Vector2i(256, 128), [] { GameStateHandler::getInstance()->popState(); },
        nullptr, nullptr, 0, "Back", "");
}

void AccessibilityState::onEnter() {
    MenuState::onEnter();
    menuShade.setFillColor(sf::Color(0, 0, 0, 128));
}

void AccessibilityState::save() {
    lastSaveFailed = !saveSettings();
}

void AccessibilityState::update(float dt) {
    for (int row = 0; row < rowCount; ++row) {
        const auto at = static_cast<std::size_t>(row);
        values[at].setString(valueText(row));
        placeMenuText(labels[at], labelX, static_cast<float>(rowY(row)), Align::left);
        placeMenuText(values[at], valueX, static_cast<float>(rowY(row)), Align::centre);
    }
    MenuState::update(dt);
}

void AccessibilityState::draw() {
    MenuState::draw();
    sf::RenderWindow& window = gameWindow();
    drawRows(window, separators, labels, values, rowStep);
    if (lastSaveFailed)
        drawText(window, saveFailed, {0, 945, 1920, 40});
}

void AccessibilityState::handleInput() {
    InputState* input = InputState::getInstance();
    if (input->released(sf::Keyboard::Escape) || input->padPressed(PadButton::B))
        GameStateHandler::getInstance()->popState();
}
