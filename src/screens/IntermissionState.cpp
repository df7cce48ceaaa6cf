#include "screens/IntermissionState.h"

#include "core/Camera.h"
#include "core/Contenthandler.h"
#include "core/Picture.h"
#include "core/Random.h"
#include "core/Settings.h"
#include "effects/Particlehandler.h"
#include "screens/Ingame.h"
#include "screens/ScreenSpace.h"
#include "world/CameraFollow.h"

#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Graphics/VertexArray.hpp>

#include <algorithm>

namespace {

constexpr float screenWidth = 1920;
constexpr float screenHeight = 1080;
constexpr int sparkType = 1;
constexpr int glowType = 0;
constexpr int emberType = 10;

// Where panel i rests when the doors are open: just off either edge of the screen.
float openX(int i) {
    return static_cast<float>(i) * 2880 - 960;
}
// Where it rests when they are shut: each fills its half.
float shutX(int i) {
    return static_cast<float>(i) * IntermissionState::panelWidth;
}

// A soft shadow thrown on the level beside a panel's inner edge, so the
// doors read as standing above it.
void drawEdgeShadow(float edgeX, float direction) {
    constexpr float width = 34;
    sf::VertexArray quad(sf::Quads, 4);
    const sf::Color dark(0, 0, 0, 150), clear(0, 0, 0, 0);
    quad[0] = sf::Vertex({edgeX, 0}, dark);
    quad[1] = sf::Vertex({edgeX + direction * width, 0}, clear);
    quad[2] = sf::Vertex({edgeX + direction * width, screenHeight}, clear);
    quad[3] = sf::Vertex({edgeX, screenHeight}, dark);
    gameWindow().draw(quad);
}

} // namespace

IntermissionState::IntermissionState() {
    for (int i = 0; i < 2; ++i)
        doors[i].setTexture(Contenthandler::getInstance()->doorTexture);
    resetToClosing();
}

void IntermissionState::resetToClosing() {
    closing = true;
    pauseRunning = false;
    pauseReset = closedPause;
    pauseTimer = closedPause;
    stepTimer.stop();
    for (int i = 0; i < 2; ++i)
        doors[i].setPosition(openX(i), 0);
}

float IntermissionState::gap() const {
    return doors[1].getPosition().x - (doors[0].getPosition().x + panelWidth);
}

bool IntermissionState::arrived() const {
    return closing ? gap() < 10 : gap() > 1900;
}

void IntermissionState::movePanels(float dt) {
    float step = doorSpeed * dt * (closing ? 1.0f : -1.0f);
    float left = std::clamp(doors[0].getPosition().x + step, openX(0), shutX(0));
    float right = std::clamp(doors[1].getPosition().x - step, shutX(1), openX(1));
    doors[0].setPosition(left, 0);
    doors[1].setPosition(right, 0);
}

void IntermissionState::onEnter() {
    if (!closing) {
        // The level about to be revealed is brought up to date once and the
        // camera put straight onto the player, so the doors open on him.
        Ingame::getInstance()->update(0);
        snapCameraToPlayer();
    }
    stepTimer.start();
    pauseRunning = false;
    pauseReset = closing ? closedPause : openedPause;
    pauseTimer = pauseReset;
    MenuState::onEnter();
    // The wipe itself is the transition; the level behind it is not dimmed.
    menuShade.setFillColor(sf::Color(0, 0, 0, 0));
}

void IntermissionState::startPause() {
    if (pauseRunning)
        return;
    Contenthandler* content = Contenthandler::getInstance();
    if (content->clickSound.getStatus() != sf::Sound::Playing)
        content->clickSound.play();
    content->doorsInSound.stop();
    content->doorsOutSound.stop();
    if (closing)
        throwSparks();
    pauseRunning = true;
    pauseTimer = pauseReset;
}

void IntermissionState::throwSparks() {
    Particlehandler* particles = Particlehandler::getInstance();
    int count = randInt(20, 100);
    for (int i = 0; i < count; ++i) {
        sf::Vector2f at(screenWidth / 2, static_cast<float>(randInt(0, static_cast<int>(screenHeight))));
        particles->burst(screenToWorld(at), 0.7f, 260, sparkType, 1, Particlehandler::glow, 0.7f, true);
    }
    // Glowing embers among them, and a few flashes where the edges strike.
    for (int i = 0; i < count / 3; ++i) {
        sf::Vector2f at(screenWidth / 2, static_cast<float>(randInt(0, static_cast<int>(screenHeight))));
        particles->burst(screenToWorld(at), 1.1f, 120, emberType, 1, Particlehandler::glow, 0.6f, true);
    }
    for (int i = 0; i < 6; ++i) {
        sf::Vector2f at(screenWidth / 2,
                        static_cast<float>(randInt(60, static_cast<int>(screenHeight) - 60)));
        particles->burst(screenToWorld(at), 0.25f, 10, glowType, 1, Particlehandler::glow, 3.0f, true);
    }
}

void IntermissionState::update(float dt) {
    Particlehandler::getInstance()->update(dt);
    MenuState::update(dt);
    Contenthandler* content = Contenthandler::getInstance();
    stepTimer.tick(dt);

    if (pauseRunning) {
        pauseTimer -= dt;
        if (pauseTimer <= 0) {
            pauseTimer = pauseReset;
            pauseRunning = false;
            closing = !closing;
            popRequested = true;
        }
        return;
    }

    if (closing) {
        if (content->doorsInSound.getStatus() != sf::Sound::Playing)
            content->doorsInSound.play();
        movePanels(dt);
    } else {
        if (stepTimer.crossedZero())
            content->doorsOutSound.play();
        // The latch lets go before the doors start to part.
        if (stepTimer.remaining <= 0)
            movePanels(dt);
    }
    if (arrived())
        startPause();
}

void IntermissionState::draw() {
    sf::RenderWindow& window = gameWindow();
    Ingame::getInstance()->draw();
    const sf::View world = window.getView();
    MenuState::draw();
    float left = doors[0].getPosition().x + panelWidth, right = doors[1].getPosition().x;
    if (left > 0)
        drawEdgeShadow(left, 1);
    if (right < screenWidth)
        drawEdgeShadow(right, -1);
    for (const sf::Sprite& door : doors)
        window.draw(door);
    // The sparks fly over the doors, in the world's view where they live.
    showView(window, world);
    Particlehandler::getInstance()->draw(Particlehandler::glow);
}
