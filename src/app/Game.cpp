#include "app/Game.h"

#include "actors/AimHelp.h"
#include "actors/Player.h"
#include "app/CommandLine.h"
#include "app/DailyRun.h"
#include "app/FrameCounter.h"
#include "app/FrameLimiter.h"
#include "app/GameState.h"
#include "app/GameStateHandler.h"
#include "app/MainMenuState.h"
#include "app/Replay.h"
#include "app/ReplayViewer.h"
#include "core/Camera.h"
#include "core/Contenthandler.h"
#include "core/Display.h"
#include "core/Globals.h"
#include "core/InputState.h"
#include "core/Picture.h"
#include "core/SeedCode.h"
#include "core/Settings.h"
#include "core/TextEntry.h"
#include "effects/Particlehandler.h"
#include "items/AffixTables.h"
#include "persistence/SaveGame.h"
#include "screens/Ingame.h"
#include "screens/LevelFlow.h"
#include "screens/UI.h"
#include "world/CameraFollow.h"
#include "world/Map.h"
#include "world/Maphandler.h"
#include "world/Score.h"

#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/System/Clock.hpp>
#include <SFML/Window/Clipboard.hpp>
#include <SFML/Window/Event.hpp>

#include <cstdlib>
#include <iostream>
#include <optional>

#if defined(__SSE__)
#include <xmmintrin.h>
#endif

namespace {

constexpr float padAimReach = 260;
// Aim help looks for aliens about as far as the view reaches beside the player.
constexpr float aimHelpReach = 1100;

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

// The disk is asked once a frame, when the input is sampled, and the answer
// travels with the input: a recording then holds what the menus decided on.
void sampleSaves(InputState& input) {
    input.saveOnDisk = saveExists();
    input.autosaveOnDisk = autosaveExists();
}

} // namespace

void pauseIfFocusLost() {
    if (InputState::getInstance()->focusLost && pauseOnFocusLoss && inLevel())
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
        // The pause this may bring waits for the frame's input to be sampled,
        // the point a recording can replay it at.
        InputState::getInstance()->hasFocus = false;
        InputState::getInstance()->focusLost = true;
        break;
    case sf::Event::TextEntered:
        typeCharacter(*typedText, event.text.unicode);
        break;
    case sf::Event::KeyPressed:
        if (event.key.code == sf::Keyboard::BackSpace)
            eraseCharacter(*typedText);
        if (event.key.code == sf::Keyboard::V && event.key.control)
            pasteText(*typedText, sf::Clipboard::getString().toAnsiString());
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
    InputState* input = InputState::getInstance();
    input->focusLost = false;
    drainEvents(gameWindow());
    input->update(Camera::getInstance()->view.getSize());
    sampleSaves(*input);
    float dt = capFrameTime(seconds);
    replay::recordFrame(dt);
    stepFrame(dt, true);
    replay::afterFrame();
    // Menus keep the window's own cap; a level's cap is the player's choice.
    levelLimiter.wait(inLevel() ? levelFrameCap : 0);
}

void runScriptedFrame(float dt, const std::function<void(InputState&)>& writeInput, bool draw) {
    frameCounter.count(dt);
    InputState* input = InputState::getInstance();
    // The script is the only device: the real window's focus is none of its
    // input, and what it writes obeys the focus rule as sampled input does.
    const bool focus = input->hasFocus;
    drainEvents(gameWindow());
    input->hasFocus = focus;
    input->focusLost = false;
    input->carryOver();
    sampleSaves(*input);
    writeInput(*input);
    input->applyFocusRule();
    if (!input->hasFocus)
        input->pad = PadReading{input->pad.connected, {}, {}, {}};
    dt = capFrameTime(dt);
    replay::recordFrame(dt);
    stepFrame(dt, draw);
    replay::afterFrame();
}

void stepFrame(float dt, bool draw) {
    InputState* input = InputState::getInstance();
    Camera* camera = Camera::getInstance();
    GameStateHandler* handler = GameStateHandler::getInstance();
    pauseIfFocusLost();
    followPlayer(dt);
    // A pad aims with the right stick: the crosshair rests at a fixed reach
    // from the player along the stick (bent by aim help), wherever the view has scrolled.
    if (input->padActive && !camera->screenMode) {
        sf::Vector2f topLeft(static_cast<float>(camera->visibleArea.left),
                             static_cast<float>(camera->visibleArea.top));
        const sf::Vector2f at = Player::getInstance()->position;
        const Map* map = Maphandler::getInstance()->currentMap();
        const sf::Vector2f aim =
            map ? bendAim(*map, at, input->padAim, aimHelp, aimHelpReach) : input->padAim;
        input->mouse = sf::Vector2i(at + aim * padAimReach - topLeft);
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
    if (pictureHasBars(window.getSize(), letterbox)) {
        // The bars stay dark; only the picture's part shows the backdrop.
        window.clear(sf::Color::Black);
        sf::RectangleShape backdrop(sf::Vector2f(1920, 1080));
        backdrop.setFillColor(Map::backdrop);
        showView(window, sf::View(sf::FloatRect(0, 0, 1920, 1080)));
        window.draw(backdrop);
    } else if (!drawn || !top->paintsWholeWindow()) {
        window.clear(Map::backdrop);
    }
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

void startUp(bool writesSettings) {
    flushDenormals();
    loadSettings("Config.cfg", writesSettings);
    createWindow();
    Contenthandler::getInstance()->applyVolumes();
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
    player.unseen = true;
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
    bool seeded = arguments.size() == 2 && arguments[0] == "--seed";
    bool daily = arguments.size() == 1 && arguments[0] == "--daily";
    // Asking about the game needs no window.
    if (arguments.size() == 1 && (arguments[0] == "--help" || arguments[0] == "--version")) {
        std::cout << (arguments[0] == "--help" ? helpText() : versionText()) << std::flush;
        return 0;
    }
    if (!arguments.empty() && !verify && !watch && !seeded && !daily) {
        std::cerr << usageText() << "Try 'vantreth --help' for more." << std::endl;
        return 2;
    }
    // A code that is no seed is refused before any window opens.
    std::optional<Seed> seed;
    if (seeded) {
        std::string why;
        seed = parseSeed(arguments[1], why);
        if (!seed) {
            std::cerr << "vantreth: no seed: " << arguments[1] << ": " << why << std::endl;
            return 2;
        }
    }
    // A file that is no recording, or one of other rules, needs no window: it is refused at once.
    if (verify || watch) {
        std::string unusable;
        std::optional<Recording> rec = readRecording(arguments[1], unusable);
        if (rec)
            unusable = replay::unplayableReason(*rec, false);
        if (!unusable.empty()) {
            std::cout << "not a usable recording: " << arguments[1] << ": " << unusable << std::endl;
            return 2;
        }
    }
    if (!displayAvailable()) {
        std::cerr << "vantreth: a display is needed, and none could be opened (DISPLAY is \""
                  << (std::getenv("DISPLAY") ? std::getenv("DISPLAY") : "") << "\")" << std::endl;
        return noDisplayStatus;
    }
    // Watching and verifying write nothing the player owns, not even a
    // settings file repaired for this display.
    startUp(!verify && !watch);
    int status = 0;
    if (verify) {
        gameWindow().setVisible(false);
        status = verifyReplay(arguments[1]);
    } else {
        sf::Clock clock;
        GameStateHandler::getInstance()->changeState(MainMenuState::getInstance());
        // Started before the first frame, as the menu's buttons would start it.
        if (seed)
            startSeededRun(*seed);
        if (daily)
            startTodaysDaily();
        std::string error;
        if (watch && !ReplayViewer::request(arguments[1], ReplayViewer::Back::mainMenu, error)) {
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
