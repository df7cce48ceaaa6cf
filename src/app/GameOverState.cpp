#include "app/GameOverState.h"

#include "app/GameStateHandler.h"
#include "app/MenuActions.h"
#include "app/Replay.h"
#include "app/ReplayViewer.h"
#include "core/Camera.h"
#include "core/Contenthandler.h"
#include "core/Globals.h"
#include "core/RunKind.h"
#include "core/Settings.h"
#include "core/TextSize.h"
#include "persistence/HighscoreTable.h"
#include "persistence/SaveGame.h"
#include "screens/HSinputscreen.h"
#include "screens/Ingame.h"
#include "screens/LevelFlow.h"
#include "world/CameraFollow.h"
#include "world/Score.h"

#include <SFML/Graphics/RenderWindow.hpp>

#include <cmath>
#include <string>

namespace {

constexpr std::size_t secondButton = 1, watchButton = 2;

void quitOrEnterName() {
    if (GameOverState::getInstance()->highscoreOffered)
        GameStateHandler::getInstance()->pushState(HSinputscreen::getInstance());
    else
        returnToMainMenu();
}

// A run that may still be restarted is being recorded: watching ends it
// here, so the recording holds the run up to this screen.
void watchRun() {
    // A run being watched is already on screen. The button stays lit all the
    // same: which buttons are lit steers the keys, and must not differ
    // between the run and its playback.
    if (replay::watching())
        return;
    const bool wasRecording = replay::recording();
    const std::string before = replay::lastRecordingPath();
    replay::finishRecording();
    const std::string& path = replay::lastRecordingPath();
    std::string error;
    // An unchanged path means this run's recording could not be written: the
    // file there is an older run's.
    const bool written = !path.empty() && (!wasRecording || path != before);
    const bool started = written && ReplayViewer::request(path, ReplayViewer::Back::mainMenu, error);
    GameOverState::getInstance()->buttons[watchButton].altLabel.setString(started ? "" : "Cannot watch");
}

} // namespace

// Watching leaves the run, so it waits while a highscore is still to be
// entered (the list offers the run's recording afterwards). Nothing else
// counts: a recording that could not be written says so when pressed, and
// the disk never decides which buttons a frame lights.
bool GameOverState::watchAllowed() {
    return !getInstance()->highscoreOffered;
}

bool GameOverState::restartAllowed() {
    return !currentRun.oneLife(hardcoreMode);
}

void GameOverState::onPlayerDeath() {
    // A new death is settled afresh, however the last game-over screen was left.
    settled = false;
    // A daily run is kept apart from the player's own runs: its death takes no save away.
    if (hardcoreMode && currentRun.keepsSaves())
        deleteSaves();
    GameStateHandler::getInstance()->scheduleState(this, 2.0f);
}

GameOverState::GameOverState() {
    styleMenuText(title, 160, sf::Color(214, 64, 52), "You lost!", 4, sf::Color(10, 10, 18));
    centreMenuText(title, 80);
    summary.setFont(Contenthandler::getInstance()->fontBeantown);
    summary.setCharacterSize(40);
    summary.setFillColor(sf::Color(232, 228, 216));
    summary.setOutlineColor(sf::Color(10, 10, 18));
    summary.setOutlineThickness(2);
    styleMenuText(seedLine, 30, sf::Color(150, 156, 172));

    buttons.emplace_back(sf::Vector2i(960, 400), sf::Vector2i(256, 128), restartLevel, nullptr,
                         restartAllowed, -1, "Restart", "");
    buttons.emplace_back(sf::Vector2i(960, 600), sf::Vector2i(256, 128), quitOrEnterName, nullptr, nullptr,
                         -1, "Quit", "");
    buttons.emplace_back(sf::Vector2i(960, 800), sf::Vector2i(256, 128), watchRun, nullptr, watchAllowed, -1,
                         "Watch", "");
}

void GameOverState::onEnter() {
    MenuState::onEnter();
    menuShade.setFillColor(sf::Color(0, 0, 0, 128));
    silenceLevelSounds();
    if (!settled) {
        settled = true;
        highscoreOffered = false;
        const bool final = currentRun.oneLife(hardcoreMode);
        if (final) {
            totalScore += carnageBonus + timeBonus + alienKillBonus;
            if (currentRun.keepsSaves())
                deleteSaves();
            highscoreOffered = currentRun.entersHighscores() && HighscoreTable::getInstance()->qualifies();
        }
        const char* kind = currentRun.kind == RunKind::daily ? "Daily run" : "Hardcore run";
        summary.setString(final ? std::string(kind) + " over on level " + std::to_string(levelNumber) +
                                      "   Final score " + std::to_string(totalScore)
                                : "Level " + std::to_string(levelNumber));
        centreMenuText(summary, 262);
        recap.show(runlog::current());
        seedLine.setString(replay::runLabel());
        centreMenuText(seedLine, 945);
    }
    labelSecondButton();
}

void GameOverState::onExit() {
    MenuState::onExit();
    settled = false;
}

void GameOverState::labelSecondButton() {
    buttons[secondButton].label.setString(highscoreOffered ? "Highscore!" : "Quit");
}

void GameOverState::update(float dt) {
    followPlayer(dt);
    labelSecondButton();
    MenuState::update(dt);
}

void GameOverState::draw() {
    Ingame::getInstance()->draw();
    MenuState::draw();
    // The title may grow only as far as the line under it leaves room.
    drawText(gameWindow(), title, {0, 100, 1920, 150});
    drawText(gameWindow(), summary, wholeView);
    recap.draw();
    // Below the recap's panel, which reaches down to 900.
    drawText(gameWindow(), seedLine, {0, 920, 1920, 90});
}
