#include "actors/Grenade.h"

#include "core/Contenthandler.h"
#include "core/Settings.h"
#include "effects/Particlehandler.h"

#include <SFML/Graphics/RenderWindow.hpp>

#include <algorithm>
#include <cmath>
#include <string>

namespace {

// A puff lasts long enough to draw the grenade's arc across a room.
constexpr float trailLifetime = 0.6f;

} // namespace

Grenade::Grenade(sf::Vector2f from, const float& damageAtCentre, const float& angle,
                 const float& radiusOfBlast, const float& speed, const float& fuse, const float& rollFriction,
                 const float& kind)
    : damage(damageAtCentre), explosionRadius(radiusOfBlast) {
    friction = rollFriction;
    position = from;
    radius = 16;
    HP = MaxHP = 1;
    mass = 10;
    armour = 0;
    bounces = true;
    animated = false;
    velocity = sf::Vector2f(std::cos(angle), std::sin(angle)) * speed;
    fuseTimer.duration = fuse;
    fuseTimer.start();
    Contenthandler* content = Contenthandler::getInstance();
    int sheetFrame = static_cast<int>(kind);
    sprite.setTexture(content->bulletTextures.at(0));
    sprite.setTextureRect(sf::IntRect(64 * sheetFrame, 0, 64, 64));
    // The base update redraws the rectangle from the frame every step.
    frame = firstFrame = sheetFrame;
    sprite.setOrigin(32, 32);
    sprite.setPosition(position);
    countdownText.setFont(content->fontSujet);
    countdownText.setCharacterSize(24);
    showCountdown();
}

float Grenade::fuseLeft() const {
    float duration = fuseTimer.duration;
    if (!(duration > 0) || !std::isfinite(duration))
        return 0;
    float left = 1 - std::min(1.0f, 1 - fuseTimer.remaining / duration);
    return std::isnan(left) ? 0.0f : std::clamp(left, 0.0f, 1.0f);
}

// The seconds left rounded up, turning from white to red as the fuse burns.
void Grenade::showCountdown() {
    float left = fuseLeft();
    float duration = std::isfinite(fuseTimer.duration) ? std::clamp(fuseTimer.duration, 0.0f, 1.0e6f) : 0.0f;
    countdownText.setString(std::to_string(static_cast<int>(std::ceil(left * duration))));
    auto c = static_cast<sf::Uint8>(std::trunc(left * 255));
    countdownText.setFillColor(sf::Color(255, c, c, 255));
    countdownText.setPosition(position.x - 6, position.y - 48);
}

void Grenade::update(float dt) {
    Particlehandler::getInstance()->trail(position, trailLifetime, 0.2f);
    fuseTimer.tick(dt);
    showCountdown();
    // A fuse that was already out at the throw goes off at the first frame.
    if (fuseTimer.expired())
        dead = true;
    Mapentity::update(dt);
    countdownText.setPosition(position.x - 6, position.y - 48);
}

void Grenade::draw() {
    Mapentity::draw();
    gameWindow().draw(countdownText);
}
