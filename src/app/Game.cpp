#include "app/Game.h"

#include "actors/Player.h"
#include "app/Camera.h"
#include "app/CommandLine.h"
#include "app/Contenthandler.h"
#include "app/FrameCounter.h"
#include "app/FrameLimiter.h"
#include "app/GameState.h"
#include "app/GameStateHandler.h"
#include "app/Globals.h"
#include "app/InputState.h"
#include "app/MainMenuState.h"
#include "app/Replay.h"
#include "app/ReplayViewer.h"
#include "app/Score.h"
#include "app/Settings.h"
#include "app/TextEntry.h"
#include "effects/Particlehandler.h"
#include "items/AffixTables.h"
#include "screens/Ingame.h"
#include "screens/UI.h"
#include "world/Map.h"
#include "world/Maphandler.h"

#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/System/Clock.hpp>
#include <SFML/Window/Event.hpp>

#include <iostream>

#if defined(__SSE__)
#include <xmmintrin.h>
#endif

namespace {

constexpr float padAimReach = 260;

// Denormal results are flushed to zero: decaying values (shake, fades,
// friction) otherwise crawl through the slow denormal range for many frames.
void flushDenormals() {
#if defined(__SSE__)
    _mm_setcsr(_mm_getcsr() | 0x8040);
#endif
}

FrameLimiter levelLimiter;
FrameCounter frameCounter;
ReplayViewer viewer;

void drainEvents(sf::RenderWindow& window) {
    sf::Event event;
    while (window.pollEvent(event))
        handleWindowEvent(window, event);
}

bool inLevel() {
    return GameStateHandler::getInstance()->top() == Ingame::getInstance();
}

} // namespace

void loseFocus() {
    if (pauseOnFocusLoss && inLevel())
        Ingame::getInstance()->pause();
}

void handleWindowEvent(sf::RenderWindow& window, const sf::Event& event) {
    // A run being watched takes nothing from the viewer but the window's closing.
    if (replay::watching() && event.type != sf::Event::Closed)
        return;
    switch (event.type) {
    case sf::Event::Closed:
        window.close();
        break;
    case sf::Event::GainedFocus:
        InputState::getInstance()->hasFocus = true;
        break;
    case sf::Event::LostFocus:
        InputState::getInstance()->hasFocus = false;
        loseFocus();
        break;
    case sf::Event::TextEntered:
        typeCharacter(enteredName, event.text.unicode);
        break;
    case sf::Event::KeyPressed:
        if (event.key.code == sf::Keyboard::BackSpace)
            eraseCharacter(enteredName);
        break;
    default:
        break;
    }
}

void runFrame(sf::Clock& clock) {
    float seconds = clock.restart().asSeconds();
    frameCounter.count(seconds);
    if (ReplayViewer::startRequested())
        viewer.start();
    if (viewer.active()) {
        drainEvents(gameWindow());
        viewer.frame(seconds);
        return;
    }
    drainEvents(gameWindow());
    InputState::getInstance()->update();
    float dt = capFrameTime(seconds);
    replay::recordFrame(dt);
    stepFrame(dt, true);
    replay::afterFrame();
    // Menus keep the window's own cap; a level's cap is the player's choice.
    levelLimiter.wait(inLevel() ? levelFrameCap : 0);
}

void runScriptedFrame(float dt, const std::function<void(InputState&)>& writeInput, bool draw) {
    frameCounter.count(dt);
    drainEvents(gameWindow());
    InputState* input = InputState::getInstance();
    input->carryOver();
    writeInput(*input);
    dt = capFrameTime(dt);
    replay::recordFrame(dt);
    stepFrame(dt, draw);
    replay::afterFrame();
}

void stepFrame(float dt, bool draw) {
    InputState* input = InputState::getInstance();
    Camera* camera = Camera::getInstance();
    GameStateHandler* handler = GameStateHandler::getInstance();
    camera->update(dt);
    // A pad aims with the right stick: the crosshair rests at a fixed reach
    // from the player along the stick, wherever the view has scrolled.
    if (input->padActive && !camera->screenMode) {
        sf::Vector2f topLeft(static_cast<float>(camera->visibleArea.left),
                             static_cast<float>(camera->visibleArea.top));
        input->mouse = sf::Vector2i(Player::getInstance()->position + input->padAim * padAimReach - topLeft);
    }
    handler->update(dt);
    if (GameState* top = handler->top())
        top->handleInput();

    sf::Vector2f pointer(input->mouse);
    if (!camera->screenMode)
        pointer += sf::Vector2f(static_cast<float>(camera->visibleArea.left),
                                static_cast<float>(camera->visibleArea.top));
    cursorSprite.setPosition(pointer);
    if (draw)
        drawFrame();
}

void drawFrame(const std::function<void(sf::RenderWindow&)>& over) {
    sf::RenderWindow& window = gameWindow();
    GameStateHandler* handler = GameStateHandler::getInstance();
    GameState* top = handler->top();
    const bool drawn = top && handler->drawEnabled != 0;
    if (!drawn || !top->paintsWholeWindow())
        window.clear(Map::backdrop);
    if (drawn)
        top->draw();
    handler->drawEnabled = 1;
    if (showFrameCounter)
        frameCounter.draw(window);
    // In a menu the pad moves a focus, not the pointer.
    if (!InputState::getInstance()->padActive || !Camera::getInstance()->screenMode)
        window.draw(cursorSprite);
    if (over)
        over(window);
    window.display();
}

void shutDown() {
    viewer.stop();
    replay::finishRecording();
    Contenthandler* content = Contenthandler::getInstance();
    content->battleMusic.stop();
    content->menuMusic.stop();
    content->scoreMusic.stop();
    content->machineSignalSound.stop();

    GameStateHandler::destroyInstance();
    // The map, everything on it and the particles go before the assets their sprites point at.
    Maphandler::destroyInstance();
    Particlehandler::destroyInstance();
    Contenthandler::destroyInstance();
    UI::destroyInstance();
    Camera::destroyInstance();
    Player::destroyInstance();
    InputState::destroyInstance();
}

float capFrameTime(float seconds) {
    return seconds > maxFrameTime ? maxFrameTime : seconds;
}

void startUp() {
    flushDenormals();
    loadSettings();
    createWindow();
    GameStateHandler::getInstance();
    Contenthandler::getInstance();
    UI::getInstance();
    Camera::getInstance();
    Player::getInstance();
    InputState::getInstance();
    buildAffixTables();
    gameWindow().setMouseCursorVisible(false);
}

namespace {

int verifyReplay(const std::string& path) {
    ReplayPlayer player;
    std::string error;
    if (!player.load(path, error)) {
        std::cout << "not a usable recording: " << path << ": " << error << std::endl;
        return 2;
    }
    player.begin();
    while (player.advance() == ReplayPlayer::Status::Playing) {
    }
    bool ok = player.status() == ReplayPlayer::Status::Finished;
    if (ok)
        std::cout << "replay ok: level " << player.level() << ", score " << player.score() << ", frames "
                  << player.frame() << std::endl;
    else
        std::cout << "replay diverged at frame " << player.frame() << std::endl;
    player.end();
    return ok ? 0 : 1;
}

} // namespace

int runGame(const std::vector<std::string>& arguments) {
    bool verify = arguments.size() == 2 && arguments[0] == "--verify-replay";
    bool watch = arguments.size() == 2 && arguments[0] == "--replay";
    // Asking about the game needs no window.
    if (arguments.size() == 1 && (arguments[0] == "--help" || arguments[0] == "--version")) {
        std::cout << (arguments[0] == "--help" ? helpText() : versionText()) << std::flush;
        return 0;
    }
    if (!arguments.empty() && !verify && !watch) {
        std::cerr << usageText() << "Try 'vantreth --help' for more." << std::endl;
        return 2;
    }
    // A file that is no recording needs no window: it is refused at once.
    std::string unreadable;
    if ((verify || watch) && !readRecording(arguments[1], unreadable)) {
        std::cout << "not a usable recording: " << arguments[1] << ": " << unreadable << std::endl;
        return 2;
    }
    startUp();
    int status = 0;
    if (verify) {
        gameWindow().setVisible(false);
        status = verifyReplay(arguments[1]);
    } else {
        sf::Clock clock;
        GameStateHandler::getInstance()->changeState(MainMenuState::getInstance());
        std::string error;
        if (watch && !ReplayViewer::request(arguments[1], false, error)) {
            std::cout << "not a usable recording: " << arguments[1] << ": " << error << std::endl;
            gameWindow().close();
            status = 2;
        }
        while (gameWindow().isOpen())
            runFrame(clock);
    }
    shutDown();
    return status;
}
