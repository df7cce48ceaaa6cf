#include "world/BrainwashMachine.h"

#include "actors/Player.h"
#include "core/Contenthandler.h"
#include "core/Globals.h"
#include "effects/Particlehandler.h"
#include "world/Maphandler.h"

#include <algorithm>
#include <cmath>

namespace {

void restoreMusic() {
    Contenthandler* content = Contenthandler::getInstance();
    content->machineSignalSound.stop();
    content->battleMusic.setVolume(content->musicFraction * 100);
}

} // namespace

BrainwashMachine::BrainwashMachine(sf::Vector2f at) : Furniture(at, true, sf::IntRect(0, 0, 96, 96)) {
    sprite.setTexture(Contenthandler::getInstance()->brainwashMachineTexture);
    frameWidth = frameHeight = 96;
    frameCount = 4;
    firstFrame = frame = 0;
    row = minRow = 0;
    frameTime = frameTimer = previousFrameTimer = 0.01f;
    sprite.setTextureRect(sf::IntRect(0, 0, 96, 96));
    sprite.setOrigin(48, 48);
    HP = MaxHP = static_cast<float>(200 + 30 * levelNumber);
    armour = 2.0f;
    radius = 64.0f;
    frozen = true;
    explosive = false;
    noDrop = true;
}

BrainwashMachine::~BrainwashMachine() {
    signalLevel = 0;
    restoreMusic();
}

float BrainwashMachine::signalAt(float distance) {
    float d = std::clamp(distance, 0.0f, 960.0f);
    if (std::isnan(d))
        return 0;
    return std::clamp(960.0f / d - 1.0f, 0.0f, 1.0f);
}

void BrainwashMachine::update(float dt) {
    velocity = sf::Vector2f(0, 0);
    animated = true;
    Mapentity::update(dt);

    sf::Vector2f d = Player::getInstance()->position - position;
    signalLevel = signalAt(std::sqrt(d.x * d.x + d.y * d.y));
    Contenthandler* content = Contenthandler::getInstance();
    if (signalLevel > 0 && HP > 0) {
        content->machineSignalSound.setVolume(content->musicFraction * 95);
        if (content->machineSignalSound.getStatus() != sf::Sound::Playing)
            content->machineSignalSound.play();
        content->battleMusic.setVolume((1 - signalLevel) * content->musicFraction * 80);
    } else {
        restoreMusic();
    }
}

void BrainwashMachine::takeDamage(float amount, sf::Vector2f from) {
    if (dead)
        return;
    applyDamage(amount, from);
    if (!dead)
        return;
    // The level's climax: the machine goes up in one large burst.
    Particlehandler::getInstance()->largeBurst(position, 196.0f);
    Player* player = Player::getInstance();
    // A grenade thrown by a player who has died since must not turn the game
    // over into a cleared level, nor heal the dead.
    if (player->dead)
        return;
    Maphandler::getInstance()->report({LevelEvent::Kind::machineDestroyed, 0, 0, {}, {}});
    player->invulnerabilityTimer = 10.0f;
    player->showInvulnerabilityBar = false;
    player->HP = std::trunc(player->MaxHP);
}
