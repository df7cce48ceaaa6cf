#include "actors/Grenade.h"

#include "app/Contenthandler.h"

#include <algorithm>
#include <cmath>
#include <string>

Grenade::Grenade(sf::Vector2f from, const float& damageAtCentre, const float& angle, const float& radiusOfBlast,
                 const float& speed, const float& fuse, const float& rollFriction, const float& kind)
    : damage(damageAtCentre), explosionRadius(radiusOfBlast) {
    friction = rollFriction;
    position = from;
    radius = 16;
    velocity = sf::Vector2f(std::cos(angle), std::sin(angle)) * speed;
    fuseTimer.duration = fuse;
    fuseTimer.start();
    Contenthandler* content = Contenthandler::getInstance();
    int sheetFrame = static_cast<int>(kind);
    sprite.setTexture(content->bulletTextures.at(0));
    sprite.setTextureRect(sf::IntRect(64 * sheetFrame, 0, 64, 64));
    sprite.setOrigin(32, 32);
    sprite.setPosition(position);
    countdownText.setFont(content->fontSujet);
    countdownText.setCharacterSize(24);
    float seconds = std::isfinite(fuse) ? std::clamp(fuse, 0.0f, 1.0e6f) : 0.0f;
    countdownText.setString(std::to_string(static_cast<int>(std::ceil(seconds))));
    countdownText.setPosition(position.x - 6, position.y - 48);
}
