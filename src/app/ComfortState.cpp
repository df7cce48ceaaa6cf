#include "app/ComfortState.h"

#include "app/GameStateHandler.h"
#include "app/OptionRows.h"
#include "core/Contenthandler.h"
#include "core/InputState.h"
#include "core/Settings.h"
#include "core/TextSize.h"

#include <SFML/Graphics/RenderWindow.hpp>

#include <algorithm>
#include <cmath>
#include <iterator>

namespace {

using namespace optionrows;

ComfortState* page() {
    return ComfortState::getInstance();
}

void shakeUp() {
    shakePercent = ComfortState::percentUp(shakePercent);
    page()->save();
}
void shakeDown() {
    shakePercent = ComfortState::percentDown(shakePercent);
    page()->save();
}
void flashUp() {
    flashPercent = ComfortState::percentUp(flashPercent);
    page()->save();
}
void flashDown() {
    flashPercent = ComfortState::percentDown(flashPercent);
    page()->save();
}
void toggleBlood() {
    bloodEnabled = !bloodEnabled;
    page()->save();
}
void toggleFocusPause() {
    pauseOnFocusLoss = !pauseOnFocusLoss;
    page()->save();
}
void capUp() {
    levelFrameCap = ComfortState::capUp(levelFrameCap);
    page()->save();
}
void capDown() {
    levelFrameCap = ComfortState::capDown(levelFrameCap);
    page()->save();
}
void toggleCounter() {
    showFrameCounter = !showFrameCounter;
    page()->save();
}
bool shakeBelowMax() {
    return shakePercent < 100;
}
bool shakeAboveMin() {
    return shakePercent > 0;
}
bool flashBelowMax() {
    return flashPercent < 100;
}
bool flashAboveMin() {
    return flashPercent > 0;
}
bool capBelowLast() {
    return levelFrameCap < levelFrameCaps.back();
}
bool capAboveFirst() {
    return levelFrameCap > levelFrameCaps.front();
}

void back() {
    GameStateHandler::getInstance()->popState();
}

// Places a text with its vertical middle on y, starting at x (or centred on x).
void placeText(sf::Text& text, float x, float y, bool centred) {
    sf::FloatRect box = text.getLocalBounds();
    float left = centred ? x - box.width * 0.5f - box.left : x - box.left;
    text.setPosition(std::trunc(left), std::trunc(y - box.height * 0.5f - box.top));
}

const char* onOff(bool on) {
    return on ? "ON" : "OFF";
}

} // namespace

int ComfortState::percentUp(int percent) {
    return std::min(nearestPercentStep(percent) + 10, 100);
}

int ComfortState::percentDown(int percent) {
    return std::max(nearestPercentStep(percent) - 10, 0);
}

int ComfortState::capUp(int cap) {
    auto next = std::upper_bound(levelFrameCaps.begin(), levelFrameCaps.end(), cap);
    return next == levelFrameCaps.end() ? levelFrameCaps.back() : *next;
}

int ComfortState::capDown(int cap) {
    auto at = std::lower_bound(levelFrameCaps.begin(), levelFrameCaps.end(), cap);
    return at == levelFrameCaps.begin() ? levelFrameCaps.front() : *std::prev(at);
}

std::string ComfortState::capText(int cap) {
    return cap > 0 ? std::to_string(cap) + " FPS" : "Off";
}

ComfortState::ComfortState() {
    background.setTexture(Contenthandler::getInstance()->optionsBackgroundTexture);
    const char* names[rowCount] = {"Screen shake",        "Flashes",         "Blood",
                                   "Pause on focus loss", "Level frame cap", "Frame counter"};
    for (int row = 0; row < rowCount; ++row) {
        const auto at = static_cast<std::size_t>(row);
        styleMenuText(labels[at], 40, labelColour, names[row]);
        placeText(labels[at], labelX, static_cast<float>(rowY(row)), false);
        styleMenuText(values[at], 40, valueColour);
        separators[at].setSize(sf::Vector2f(1160, 1));
        separators[at].setPosition(380, static_cast<float>(rowY(row) + rowStep / 2));
        separators[at].setFillColor(sf::Color(150, 160, 185, 50));
    }
    styleMenuText(saveFailed, 24, sf::Color(230, 90, 70),
                  "Could not write Config.cfg; the settings last only until you quit");
    placeText(saveFailed, 960, 955, true);

    auto add = [this](int x, int row, sf::Vector2i size, MenuButton::Action action,
                      MenuButton::Condition enabled, const char* label) {
        buttons.emplace_back(sf::Vector2i(x, rowY(row)), size, action, nullptr, enabled, -1, label, "");
        // A lone sign at the buttons' text size is too small to hit by eye.
        if (size == stepSize)
            buttons.back().label.setCharacterSize(40);
    };
    add(minusX, 0, stepSize, shakeDown, shakeAboveMin, "-");
    add(plusX, 0, stepSize, shakeUp, shakeBelowMax, "+");
    add(minusX, 1, stepSize, flashDown, flashAboveMin, "-");
    add(plusX, 1, stepSize, flashUp, flashBelowMax, "+");
    add(plusX, 2, toggleSize, toggleBlood, nullptr, "Toggle");
    add(plusX, 3, toggleSize, toggleFocusPause, nullptr, "Toggle");
    add(minusX, 4, stepSize, ::capDown, capAboveFirst, "-");
    add(plusX, 4, stepSize, ::capUp, capBelowLast, "+");
    add(plusX, 5, toggleSize, toggleCounter, nullptr, "Toggle");
    buttons.emplace_back(sf::Vector2i(960, 880), sf::Vector2i(256, 128), back, nullptr, nullptr, 0, "Back",
                         "");
}

void ComfortState::onEnter() {
    MenuState::onEnter();
    menuShade.setFillColor(sf::Color(0, 0, 0, 128));
}

void ComfortState::save() {
    lastSaveFailed = !saveSettings();
}

void ComfortState::update(float dt) {
    values[0].setString(std::to_string(shakePercent) + " %");
    values[1].setString(std::to_string(flashPercent) + " %");
    values[2].setString(onOff(bloodEnabled));
    values[3].setString(onOff(pauseOnFocusLoss));
    values[4].setString(capText(levelFrameCap));
    values[5].setString(onOff(showFrameCounter));
    for (int row = 0; row < rowCount; ++row)
        placeText(values[static_cast<std::size_t>(row)], valueX, static_cast<float>(rowY(row)), true);
    MenuState::update(dt);
}

void ComfortState::draw() {
    MenuState::draw();
    sf::RenderWindow& window = gameWindow();
    drawRows(window, separators, labels, values, rowStep);
    if (lastSaveFailed)
        drawText(window, saveFailed, {0, 935, 1920, 40});
}

void ComfortState::handleInput() {
    if (InputState::getInstance()->released(sf::Keyboard::Escape))
        GameStateHandler::getInstance()->popState();
}
