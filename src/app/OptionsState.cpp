#include "app/OptionsState.h"

#include "app/AccessibilityState.h"
#include "app/ComfortState.h"
#include "app/ControlsState.h"
#include "app/GameStateHandler.h"
#include "app/OptionRows.h"
#include "app/Replay.h"
#include "core/Contenthandler.h"
#include "core/Globals.h"
#include "core/InputState.h"
#include "core/Settings.h"
#include "core/TextSize.h"

#include <SFML/Graphics/RenderWindow.hpp>

#include <algorithm>
#include <cmath>
#include <string>

namespace {

using namespace optionrows;

const sf::Color noteColour(150, 156, 172);
// Five buttons share the bottom row inside the page's frame. The last stays
// left of the rows' "+" buttons, so that the keys step from those to the
// buttons they always reached.
const sf::Vector2i rowButtonSize(228, 128);

OptionsState* options() {
    return OptionsState::getInstance();
}

int resolutionCount() {
    return static_cast<int>(resolutions.size());
}

void musicUp() {
    musicVolume = OptionsState::volumeUp(musicVolume);
    Contenthandler::getInstance()->applyVolumes();
}
void musicDown() {
    musicVolume = OptionsState::volumeDown(musicVolume);
    Contenthandler::getInstance()->applyVolumes();
}
void soundUp() {
    soundVolume = OptionsState::volumeUp(soundVolume);
    Contenthandler::getInstance()->applyVolumes();
}
void soundDown() {
    soundVolume = OptionsState::volumeDown(soundVolume);
    Contenthandler::getInstance()->applyVolumes();
}
bool musicBelowMax() {
    return musicVolume < 100;
}
bool musicAboveMin() {
    return musicVolume > 0;
}
bool soundBelowMax() {
    return soundVolume < 100;
}
bool soundAboveMin() {
    return soundVolume > 0;
}

void resolutionUp() {
    ++options()->editResolution;
}
void resolutionDown() {
    --options()->editResolution;
}
bool resolutionBelowLast() {
    return options()->editResolution < resolutionCount() - 1;
}
bool resolutionAboveFirst() {
    return options()->editResolution > 0;
}

void toggleVsync() {
    options()->editVsync = !options()->editVsync;
}
void toggleFullscreen() {
    options()->editFullscreen = !options()->editFullscreen;
}
// A run's rules are fixed when it starts: hardcore mode changes only between runs.
void toggleHardcore() {
    hardcoreMode = !hardcoreMode;
}
bool hardcoreChangeable() {
    return inMainMenu;
}

void back() {
    GameStateHandler::getInstance()->popState();
}
void openComfort() {
    GameStateHandler::getInstance()->pushState(ComfortState::getInstance());
}
void applyChanges() {
    options()->apply();
}
bool changesPending() {
    return options()->hasChanges();
}

void styleText(sf::Text& text, unsigned size, sf::Color colour) {
    text.setFont(Contenthandler::getInstance()->fontBeantown);
    text.setCharacterSize(size);
    text.setFillColor(colour);
    text.setOutlineColor(sf::Color(10, 10, 18, 200));
    text.setOutlineThickness(2);
}

// Places a text with its vertical middle on y, starting at x (or centred on x).
void placeText(sf::Text& text, float x, float y, bool centred) {
    sf::FloatRect box = text.getLocalBounds();
    float left = centred ? x - box.width * 0.5f - box.left : x - box.left;
    text.setPosition(std::trunc(left), std::trunc(y - box.height * 0.5f - box.top));
}

std::string resolutionText(int index) {
    if (index < 0 || index >= resolutionCount())
        return "-";
    const auto& r = resolutions[static_cast<std::size_t>(index)];
    return std::to_string(r.first) + " x " + std::to_string(r.second);
}

} // namespace

int OptionsState::volumeUp(int volume) {
    if (volume < 10)
        return std::max(volume + 1, 0);
    return std::min((volume / 5 + 1) * 5, 100);
}

int OptionsState::volumeDown(int volume) {
    if (volume <= 10)
        return std::max(volume - 1, 0);
    return std::max((volume + 4) / 5 * 5 - 5, 10);
}

OptionsState::OptionsState() {
    background.setTexture(Contenthandler::getInstance()->optionsBackgroundTexture);
    editResolution = currentResolution;
    editAntialiasing = antialiasing;
    editVsync = vsyncEnabled;
    editFullscreen = fullscreen;
    editHardcore = hardcoreMode;
    editMusicVolume = musicVolume;
    editSoundVolume = soundVolume;

    const char* names[] = {"Music volume", "FX volume",  "Resolution",
                           "V-sync",       "Fullscreen", "Hardcore mode"};
    for (int row = 0; row < 6; ++row) {
        styleText(labels[static_cast<std::size_t>(row)], 40, labelColour);
        labels[static_cast<std::size_t>(row)].setString(names[row]);
        placeText(labels[static_cast<std::size_t>(row)], labelX, static_cast<float>(rowY(row)), false);
        styleText(values[static_cast<std::size_t>(row)], 40, valueColour);
        sf::RectangleShape& line = separators[static_cast<std::size_t>(row)];
        line.setSize(sf::Vector2f(1160, 1));
        line.setPosition(380, static_cast<float>(rowY(row) + rowStep / 2));
        line.setFillColor(sf::Color(150, 160, 185, 50));
    }
    styleText(hardcoreNote, 22, noteColour);
    hardcoreNote.setString("Hardcore mode is chosen from the main menu, before a run");
    placeText(hardcoreNote, valueX, static_cast<float>(rowY(5) + 40), true);
    styleText(saveFailed, 24, sf::Color(230, 90, 70));
    saveFailed.setString("Could not write Config.cfg; the settings last only until you quit");
    placeText(saveFailed, 960, 955, true);

    auto add = [this](int x, int row, sf::Vector2i size, MenuButton::Action action,
                      MenuButton::Condition enabled, int slide, const char* label) {
        buttons.emplace_back(sf::Vector2i(x, rowY(row)), size, action, nullptr, enabled, slide, label, "");
        // A lone sign at the buttons' text size is too small to hit by eye.
        if (size == stepSize)
            buttons.back().label.setCharacterSize(40);
    };
    add(minusX, 0, stepSize, musicDown, musicAboveMin, -1, "-");
    add(plusX, 0, stepSize, musicUp, musicBelowMax, -1, "+");
    add(minusX, 1, stepSize, soundDown, soundAboveMin, -1, "-");
    add(plusX, 1, stepSize, soundUp, soundBelowMax, -1, "+");
    add(minusX, 2, stepSize, resolutionDown, resolutionAboveFirst, -1, "-");
    add(plusX, 2, stepSize, resolutionUp, resolutionBelowLast, -1, "+");
    add(plusX, 3, toggleSize, toggleVsync, nullptr, -1, "Toggle");
    add(plusX, 4, toggleSize, toggleFullscreen, nullptr, -1, "Toggle");
    add(plusX, 5, toggleSize, toggleHardcore, hardcoreChangeable, 0, "Toggle");
    buttons.emplace_back(sf::Vector2i(960, 880), rowButtonSize, back, nullptr, nullptr, 0, "Back", "");
    buttons.emplace_back(sf::Vector2i(1200, 880), rowButtonSize, applyChanges, nullptr, changesPending, 0,
                         "Apply", "");
    buttons.emplace_back(sf::Vector2i(720, 880), rowButtonSize, openComfort, nullptr, nullptr, 0, "Comfort",
                         "");
    buttons.emplace_back(
        sf::Vector2i(1440, 880), rowButtonSize,
        [] { GameStateHandler::getInstance()->pushState(ControlsState::getInstance()); }, nullptr, nullptr, 0,
        "Controls", "");
    // Last, so the older buttons keep their places in the list.
    buttons.emplace_back(
        sf::Vector2i(480, 880), rowButtonSize,
        [] { GameStateHandler::getInstance()->pushState(AccessibilityState::getInstance()); }, nullptr,
        nullptr, 0, "Accessibility", "");
}

void OptionsState::onEnter() {
    MenuState::onEnter();
    menuShade.setFillColor(sf::Color(0, 0, 0, 128));
    // A list edited elsewhere must not leave the working copy pointing past its end.
    editResolution = std::clamp(editResolution, 0, std::max(resolutionCount() - 1, 0));
}

MenuCopies OptionsState::copies() const {
    return {true,      editResolution, editAntialiasing, editMusicVolume, editSoundVolume,
            editVsync, editFullscreen, editHardcore};
}

void OptionsState::setCopies(const MenuCopies& from) {
    editResolution = from.resolution;
    editAntialiasing = from.antialiasing;
    editMusicVolume = from.musicVolume;
    editSoundVolume = from.soundVolume;
    editVsync = from.vsync;
    editFullscreen = from.fullscreen;
    editHardcore = from.hardcore;
}

bool OptionsState::hasChanges() const {
    return editResolution != currentResolution || editAntialiasing != antialiasing ||
           editVsync != vsyncEnabled || editFullscreen != fullscreen || editMusicVolume != musicVolume ||
           editSoundVolume != soundVolume || editHardcore != hardcoreMode;
}

void OptionsState::apply() {
    currentResolution = editResolution;
    antialiasing = editAntialiasing;
    vsyncEnabled = editVsync;
    fullscreen = editFullscreen;
    // A recorded run applying its options must not rebuild the viewer's window.
    if (!replay::watching()) {
        createWindow();
        Contenthandler::getInstance()->applyVolumes();
    }
    // The new window starts without the menus' frame cap.
    gameWindow().setFramerateLimit(120);
    lastSaveFailed = !saveSettings();
    editMusicVolume = musicVolume;
    editSoundVolume = soundVolume;
    editHardcore = hardcoreMode;
}

void OptionsState::update(float dt) {
    values[0].setString(std::to_string(musicVolume));
    values[1].setString(std::to_string(soundVolume));
    values[2].setString(resolutionText(editResolution));
    values[3].setString(editVsync ? "ON" : "OFF");
    values[4].setString(editFullscreen ? "Fullscreen" : "Windowed");
    values[5].setString(hardcoreMode ? "Hardcoremode on" : "Hardcoremode off");
    for (int row = 0; row < 6; ++row)
        placeText(values[static_cast<std::size_t>(row)], valueX, static_cast<float>(rowY(row)), true);
    MenuState::update(dt);
}

void OptionsState::draw() {
    MenuState::draw();
    sf::RenderWindow& window = gameWindow();
    drawRows(window, separators, labels, values, rowStep);
    if (!inMainMenu)
        drawText(window, hardcoreNote, {valueX - 400, static_cast<float>(rowY(5) + 24), 800, 34});
    if (lastSaveFailed)
        drawText(window, saveFailed, {0, 935, 1920, 40});
}

void OptionsState::handleInput() {
    InputState* input = InputState::getInstance();
    if (input->released(sf::Keyboard::Escape) || input->padPressed(PadButton::B))
        GameStateHandler::getInstance()->popState();
}
