#include "app/MainMenuState.h"

#include "actors/Player.h"
#include "app/GameStateHandler.h"
#include "app/MenuActions.h"
#include "core/Contenthandler.h"
#include "core/Globals.h"
#include "core/InputState.h"
#include "core/Settings.h"
#include "core/TextSize.h"
#include "persistence/SaveGame.h"
#include "screens/ChallengesState.h"
#include "screens/Highscorescreen.h"
#include "screens/LevelFlow.h"
#include "screens/RunsState.h"
#include "world/Score.h"

#include <SFML/Graphics/RenderWindow.hpp>

#include <algorithm>

namespace {

// The right edge of the pan: the background is 666 units wider than the screen.
constexpr float panLimit = -666;

constexpr std::size_t loadSaveButton = 2, loadAutosaveButton = 3;
// Eight buttons fill the column down to the street: their frames are drawn a
// little flatter than the other menus' (108 instead of 128), so that a gap
// stays between them.
constexpr int firstButtonY = 80, buttonSpacing = 124, buttonHeight = 108;

// A file that went bad since the menu was drawn says so on its button.
void load(const char* name, std::size_t button) {
    bool loaded = continueFromSave(name);
    // Cleared after a load, so that the label does not greet the menu's next visit.
    MainMenuState::getInstance()->buttons[button].altLabel.setString(loaded ? "" : "Cannot load");
}
void loadSave() {
    load("save", loadSaveButton);
}
void loadAutosave() {
    load("autosave", loadAutosaveButton);
}
void showHighscores() {
    GameStateHandler::getInstance()->pushState(Highscorescreen::getInstance());
}
void showRuns() {
    RunsState::open();
}
void showChallenges() {
    GameStateHandler::getInstance()->pushState(ChallengesState::getInstance());
}
void exitGame() {
    gameWindow().close();
}
} // namespace

MainMenuState::MainMenuState() {
    Contenthandler* content = Contenthandler::getInstance();
    background.setTexture(content->mainMenuTextures[0]);
    foreground.setTexture(content->mainMenuTextures[1]);
    logo.setTexture(content->logoTexture);
    logo.setPosition(50, 120);
    title.setFont(content->fontBeantown);
    title.setCharacterSize(80);
    title.setString("Vantreth");
    title.setPosition(20, 0);
    title.setFillColor(sf::Color(242, 163, 58));
    title.setOutlineColor(sf::Color(10, 10, 18));
    title.setOutlineThickness(3);

    struct Entry {
        const char* label;
        MenuButton::Condition enabled;
        MenuButton::Action action;
    };
    const Entry entries[] = {
        {"New Game", nullptr, startNewRun},
        {"Challenges", nullptr, showChallenges},
        {"Load Save", [] { return InputState::getInstance()->saveOnDisk; }, loadSave},
        {"Load Autosave", [] { return InputState::getInstance()->autosaveOnDisk; }, loadAutosave},
        {"Highscores", nullptr, showHighscores},
        {"Runs", nullptr, showRuns},
        {"Options", nullptr, openOptions},
        {"Exit", nullptr, exitGame},
    };
    // One column down the right, from just under the top edge to just above the street.
    int y = firstButtonY;
    for (const Entry& e : entries) {
        buttons.emplace_back(sf::Vector2i(1550, y), sf::Vector2i(256, buttonHeight), e.action, nullptr,
                             e.enabled, 0, e.label, "");
        y += buttonSpacing;
    }
}

void MainMenuState::onEnter() {
    Contenthandler* content = Contenthandler::getInstance();
    content->battleMusic.stop();
    content->scoreMusic.stop();
    MenuState::onEnter();
    // The title screen is shown at full brightness.
    menuShade.setFillColor(sf::Color(0, 0, 0, 0));
}

void MainMenuState::update(float dt) {
    Contenthandler* content = Contenthandler::getInstance();
    // A track that failed to open has no duration; asking it to play every frame would only log errors.
    if (content->menuMusic.getStatus() != sf::Music::Playing &&
        content->menuMusic.getDuration() > sf::Time::Zero)
        content->menuMusic.play();

    if (panTimerRunning) {
        panTimerPrevious = panTimer;
        panTimer -= dt;
    }
    float x = background.getPosition().x;
    if (panTimer <= 0)
        x += panSpeed * dt;
    if (panTimer <= 0 && (x > 0 || x < panLimit)) {
        panSpeed = -panSpeed;
        panTimer = panTimerPrevious = 3.0f;
    }
    x = std::clamp(x, panLimit, 0.0f);
    background.setPosition(x, 0);

    MenuState::update(dt);
    inMainMenu = true;
}

void MainMenuState::draw() {
    MenuState::draw();
    sf::RenderWindow& window = gameWindow();
    drawText(window, title, wholeView, {0, 0});
    window.draw(logo);
}
