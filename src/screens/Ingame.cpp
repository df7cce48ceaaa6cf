#include "screens/Ingame.h"

#include "actors/Player.h"
#include "app/GameOverState.h"
#include "app/GameStateHandler.h"
#include "app/OverlayInfoState.h"
#include "app/PauseMenu.h"
#include "app/RunLog.h"
#include "core/Camera.h"
#include "core/Contenthandler.h"
#include "core/Globals.h"
#include "core/InputState.h"
#include "core/Picture.h"
#include "core/Settings.h"
#include "effects/Particlehandler.h"
#include "screens/ScoreScreenState.h"
#include "screens/UI.h"
#include "world/CameraFollow.h"
#include "world/Map.h"
#include "world/Maphandler.h"

#include <SFML/Graphics/RenderWindow.hpp>

#include <algorithm>
#include <cmath>

namespace {

Ingame ingame;

float healthFraction() {
    const Player* p = Player::getInstance();
    return p->MaxHP > 0 ? p->HP / p->MaxHP : 0;
}

// The player's flash setting scales the red screen's alpha; whole numbers
// keep the full setting exactly today's picture.
sf::Uint8 byteOf(float alpha) {
    const int byte = static_cast<int>(std::trunc(alpha)) % 256;
    return static_cast<sf::Uint8>(byte * std::clamp(flashPercent, 0, 100) / 100);
}

} // namespace

Ingame* Ingame::getInstance() {
    return &ingame;
}

float Ingame::greyFactor(float h) {
    float g = h < 0.2f ? 0.0f : std::clamp(h * 1.8f, 0.0f, 1.0f);
    return 1 - g;
}

float Ingame::lowHealthAlpha(float h) {
    return std::clamp(255 - h * 637.5f, 0.0f, 255.0f);
}

void Ingame::onEnter() {
    Camera* camera = Camera::getInstance();
    snapCameraToPlayer();
    Contenthandler* content = Contenthandler::getInstance();
    content->menuMusic.stop();
    content->scoreMusic.stop();
    UI::getInstance()->restartLevelStart(20.0f);
    // A level runs as fast as it can, subject to vertical sync.
    gameWindow().setFramerateLimit(0);
    if (showGameInfoOnce) {
        GameStateHandler::getInstance()->scheduleState(OverlayInfoState::getInstance(), 0.5f);
        showGameInfoOnce = false;
    }

    sf::IntRect area = camera->visibleRect();
    bloodyScreen.setTexture(content->bloodyScreenTexture);
    bloodyScreen.setTextureRect(sf::IntRect(0, 0, area.width, area.height));
    bloodyScreen.setColor(sf::Color(255, 255, 255, 0));
    damageFlashDuration = damageFlashTimer = damageFlashPrevious = 0.5f;
    damageFlashIntensity = 0;
}

void Ingame::update(float dt) {
    Contenthandler* content = Contenthandler::getInstance();
    // A track that failed to open has no duration; asking it to play every frame would only log errors.
    if (content->battleMusic.getStatus() != sf::Music::Playing &&
        content->battleMusic.getDuration() > sf::Time::Zero)
        content->battleMusic.play();

    float h = healthFraction();
    content->greyFactor = greyFactor(h);
    content->grayScaleShader.setUniform("factor", content->greyFactor);
    Camera* camera = Camera::getInstance();
    followPlayer(dt);
    UI::getInstance()->update(dt);
    Map* map = Maphandler::getInstance()->currentMap();
    if (map)
        map->update(dt);
    inMainMenu = false;
    Player::getInstance()->update(dt);
    Particlehandler::getInstance()->update(dt);
    if (map) {
        std::vector<LevelEvent> events;
        events.swap(map->events);
        runlog::note(events, levelNumber, map->elapsed);
        settle(events);
    }

    sf::IntRect area = camera->visibleRect();
    bloodyScreen.setPosition(static_cast<float>(area.left), static_cast<float>(area.top));
    updateDamageFlash(dt, healthFraction());
}

void Ingame::settle(const std::vector<LevelEvent>& events) {
    GameStateHandler* handler = GameStateHandler::getInstance();
    UI* hud = UI::getInstance();
    for (const LevelEvent& event : events)
        switch (event.kind) {
        case LevelEvent::Kind::playerDied:
            GameOverState::getInstance()->onPlayerDeath();
            break;
        case LevelEvent::Kind::machineDestroyed:
            handler->scheduleState(ScoreScreenState::getInstance(), 1.5f);
            break;
        case LevelEvent::Kind::carnage:
            hud->addCarnage(event.points, event.text);
            break;
        case LevelEvent::Kind::killNotice:
            hud->addMessage(event.text, event.colour);
            break;
        case LevelEvent::Kind::playerHit:
            startDamageFlash(event.intensity);
            break;
        }
}

void Ingame::startDamageFlash(float intensity) {
    damageFlashActive = true;
    damageFlashTimer = damageFlashPrevious = damageFlashDuration;
    damageFlashIntensity = intensity;
}

void Ingame::updateDamageFlash(float dt, float h) {
    if (damageFlashActive) {
        damageFlashPrevious = damageFlashTimer;
        damageFlashTimer -= dt;
    }
    float f = damageFlashDuration > 0 ? std::min(1 - damageFlashTimer / damageFlashDuration, 1.0f) : 1.0f;
    float flash = (1 - f) * damageFlashIntensity;
    if (h >= 0.4f) {
        if (damageFlashActive)
            bloodyScreen.setColor(sf::Color(255, 255, 255, byteOf(flash)));
        if (damageFlashTimer <= 0) {
            damageFlashTimer = damageFlashPrevious = damageFlashDuration;
            damageFlashActive = false;
            bloodyScreen.setColor(sf::Color(255, 255, 255, 0));
            damageFlashIntensity = 0;
        }
    } else {
        float base = lowHealthAlpha(h);
        if (base < flash)
            base = flash;
        bloodyScreen.setColor(sf::Color(255, 255, 255, byteOf(base)));
    }
}

bool Ingame::showsBloodyScreen(float h) const {
    // The health bar still warns of danger with the flashes off.
    return flashPercent > 0 && ((damageFlashActive && damageFlashTimer > 0) || h < 0.4f);
}

void Ingame::drawWorld() {
    Camera* camera = Camera::getInstance();
    camera->screenMode = false;
    followPlayer(0);
    showView(gameWindow(), camera->view);
    Map* map = Maphandler::getInstance()->currentMap();
    if (map)
        map->draw();
    Player::getInstance()->draw();
    if (map && map->tintOwed)
        camera->drawOverlayOver(*map->tintOwed);
    else
        camera->drawOverlay();
}

bool Ingame::paintsWholeWindow() const {
    const Map* map = Maphandler::getInstance()->currentMap();
    return map && map->paintsWholeView();
}

void Ingame::draw() {
    drawWorld();
    sf::RenderWindow& window = gameWindow();
    // Flashes and floating text shine through the night, above everything in the level.
    Particlehandler::getInstance()->draw(Particlehandler::glow);
    if (showsBloodyScreen(healthFraction()))
        window.draw(bloodyScreen);
    UI::getInstance()->draw();
}

void Ingame::pause() {
    // A dead player's game-over screen is already on its way; a pause in
    // between could leave the run before a hardcore death is settled.
    if (!Player::getInstance()->dead)
        GameStateHandler::getInstance()->pushState(PauseMenu::getInstance());
}

void Ingame::handleInput() {
    InputState* input = InputState::getInstance();
    GameStateHandler* handler = GameStateHandler::getInstance();
    // A pad pulled out mid-fight leaves the player without hands: pause.
    if (input->actionPressed(Action::Pause) || input->padUnplugged())
        pause();
    else if (input->actionPressed(Action::Help))
        handler->pushState(OverlayInfoState::getInstance());
}
