#include "app/ReplayViewer.h"

#include "app/Game.h"
#include "app/GameStateHandler.h"
#include "core/Contenthandler.h"
#include "core/Gamepad.h"
#include "core/Globals.h"
#include "core/InputState.h"
#include "core/Picture.h"
#include "core/Settings.h"
#include "core/TextSize.h"
#include "screens/ReplaysState.h"
#include "screens/RunsState.h"
#include "world/Score.h"

#include <SFML/Graphics/RenderWindow.hpp>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

std::unique_ptr<ReplayPlayer> requested;
ReplayViewer::Back requestedBack = ReplayViewer::Back::mainMenu;
GameState* requestedList = nullptr;

std::string clockText(float seconds) {
    int whole = static_cast<int>(seconds);
    char text[16];
    std::snprintf(text, sizeof text, "%d:%02d", whole / 60, whole % 60);
    return text;
}

std::string speedText(float speed) {
    return speed < 1 ? "1/2x" : std::to_string(static_cast<int>(speed)) + "x";
}

} // namespace

bool ReplayViewer::request(const std::string& path, Back backTo, std::string& error, GameState* list) {
    auto player = std::make_unique<ReplayPlayer>();
    if (!player->load(path, error))
        return false;
    requested = std::move(player);
    requestedBack = backTo;
    requestedList = list;
    return true;
}

bool ReplayViewer::startRequested() {
    return requested != nullptr;
}

void ReplayViewer::start() {
    player = std::move(requested);
    back = requestedBack;
    list = requestedList;
    speedIndex = normalSpeed;
    paused = false;
    budget = 0;
    held.fill(true); // keys still down from choosing the recording do nothing
    if (!keyboard)
        keyboard = std::make_unique<KeyboardPoller>();
    Contenthandler* content = Contenthandler::getInstance();
    bar.setSize({1920, 96});
    bar.setPosition(0, 1080 - 96);
    bar.setFillColor(sf::Color(10, 10, 18, 200));
    for (sf::Text* text : {&status, &hints}) {
        text->setFont(content->fontBeantown);
        text->setOutlineColor(sf::Color(10, 10, 18));
        text->setOutlineThickness(2);
    }
    status.setCharacterSize(34);
    status.setFillColor(sf::Color(242, 163, 58));
    status.setPosition(40, 1080 - 88);
    hints.setCharacterSize(22);
    hints.setFillColor(sf::Color(232, 228, 216));
    hints.setString("Space pause    Right one frame    Up / Down speed    1-5 choose speed    Esc leave");
    hints.setPosition(40, 1080 - 42);
    player->begin();
}

ViewerControls ReplayViewer::readControls() {
    using K = sf::Keyboard;
    bool focus = gameWindow().hasFocus();
    if (keyboard)
        keyboard->poll();
    PadReading pad = readGamepad();
    auto key = [&](K::Key k) { return focus && keyboard && keyboard->isDown(k); };
    auto button = [&](PadButton b) {
        return focus && pad.connected && pad.buttons[static_cast<std::size_t>(b)];
    };
    std::array<bool, 10> now{
        key(K::Escape) || button(PadButton::B),
        key(K::Space) || key(K::P) || button(PadButton::A),
        key(K::Right) || key(K::Period) || button(PadButton::DpadRight),
        key(K::Up) || key(K::Add) || key(K::Equal) || button(PadButton::RB),
        key(K::Down) || key(K::Subtract) || key(K::Hyphen) || button(PadButton::LB),
        key(K::Num1),
        key(K::Num2),
        key(K::Num3),
        key(K::Num4),
        key(K::Num5),
    };
    std::array<bool, 10> pressed{};
    for (std::size_t i = 0; i < now.size(); ++i)
        pressed[i] = now[i] && !held[i];
    held = now;
    ViewerControls c{pressed[0], pressed[1], pressed[2], pressed[3], pressed[4], -1};
    for (int i = 0; i < 5; ++i)
        if (pressed[static_cast<std::size_t>(5 + i)])
            c.speedChoice = i;
    return c;
}

int ReplayViewer::control(const ViewerControls& c, float seconds) {
    if (c.pause)
        paused = !paused;
    if (c.faster)
        speedIndex = std::min(speedIndex + 1, static_cast<int>(speeds.size()) - 1);
    if (c.slower)
        speedIndex = std::max(speedIndex - 1, 0);
    if (c.speedChoice >= 0)
        speedIndex = std::min(c.speedChoice, static_cast<int>(speeds.size()) - 1);
    int played = 0;
    if (paused) {
        budget = 0;
        if (c.step && player->status() == ReplayPlayer::Status::Playing) {
            player->advance();
            played = 1;
        }
        return played;
    }
    // Recorded time follows real time times the speed; each recorded frame
    // keeps its own step, so the run plays exactly as it was played.
    budget += seconds * speeds[static_cast<std::size_t>(speedIndex)];
    while (player->status() == ReplayPlayer::Status::Playing && player->nextStep() <= budget &&
           played < maxFramesPerPicture) {
        budget -= player->nextStep();
        player->advance();
        ++played;
    }
    if (played == maxFramesPerPicture)
        budget = 0;
    if (player->status() != ReplayPlayer::Status::Playing)
        paused = true;
    return played;
}

void ReplayViewer::frame(float seconds) {
    ViewerControls c = readControls();
    if (c.leave || !gameWindow().isOpen()) {
        stop();
        return;
    }
    control(c, seconds);
    drawFrame([this](sf::RenderWindow& window) { drawBar(window); });
}

void ReplayViewer::drawBar(sf::RenderWindow& window) {
    const Recording& rec = player->recording();
    std::string state;
    switch (player->status()) {
    case ReplayPlayer::Status::Playing:
        state = paused ? "PAUSED" : "REPLAY " + speedText(speeds[static_cast<std::size_t>(speedIndex)]);
        break;
    case ReplayPlayer::Status::Finished:
        state = "END OF RECORDING";
        break;
    case ReplayPlayer::Status::Diverged:
        state = "THE RUN WENT ITS OWN WAY AT FRAME " + std::to_string(player->frame());
        break;
    }
    status.setString(state + "     " + clockText(player->secondsPlayed()) + " / " + clockText(rec.seconds) +
                     "     Level " + std::to_string(levelNumber) + "     Score " +
                     std::to_string(totalScore) + "     " + rec.startedAt);
    sf::View saved = window.getView();
    showView(window, sf::View(sf::FloatRect(0, 0, 1920, 1080)));
    window.draw(bar);
    drawText(window, status, roomAround(status, 40, 1840, 46), {0, 0.5f});
    drawText(window, hints, roomAround(hints, 40, 1840, 40), {0, 0.5f});
    window.setView(saved);
}

void ReplayViewer::stop() {
    if (!player)
        return;
    player->end();
    player.reset();
    if (back == Back::runs || back == Back::recordings)
        GameStateHandler::getInstance()->pushState(RunsState::getInstance());
    if (back == Back::recordings)
        GameStateHandler::getInstance()->pushState(ReplaysState::getInstance());
    if (back == Back::list && list)
        GameStateHandler::getInstance()->pushState(list);
    // The key or pad button that ended watching may still be down: on the
    // list that opens it counts as held since before, not as a new press
    // that would close the list at once.
    InputState* input = InputState::getInstance();
    std::fill(std::begin(input->keys), std::end(input->keys), true);
    input->pad.buttons.fill(true);
}
