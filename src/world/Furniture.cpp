#include "world/Furniture.h"

#include "core/Contenthandler.h"
#include "world/Maphandler.h"

#include <cstdlib>
#include <string>

namespace {

// What breaking a piece of furniture adds to the level's carnage.
constexpr int propCarnage = 50;

} // namespace

Furniture::Furniture(sf::Vector2f tilePosition, bool immovable, sf::IntRect rect) {
    position = tilePosition;
    frozen = immovable;
    sprite.setTexture(Contenthandler::getInstance()->tileTextures[0]);
    sprite.setTextureRect(rect);
    HP = MaxHP = static_cast<float>(std::rand() % 71 + 30);
    armour = static_cast<float>(std::rand() % 15 + 1);
    radius = 24.0f;
    mass = 25.0f;
    frameWidth = frameHeight = 64;
    frameCount = 1;
    firstFrame = frame = rect.left / 64;
    row = minRow = rect.top / 64;
    directionalRows = false;
    sprite.setOrigin(32, 32);
    explosive =
        rect.left == 640 && (rect.top == 0 || rect.top == 64) && rect.width == 64 && rect.height == 64;
}

void Furniture::takeHit(float amount, sf::Vector2f from, const HitSource& source) {
    const bool wasDead = dead;
    takeDamage(amount, from);
    if (dead && !wasDead)
        brokenBy = source;
}

void Furniture::takeDamage(float amount, sf::Vector2f from) {
    const bool wasDead = dead;
    applyDamage(amount, from);
    // Reported once, on the hit that breaks it: later hits in the same frame find it dead already.
    if (dead && !wasDead)
        Maphandler::getInstance()->report(
            {LevelEvent::Kind::carnage, propCarnage, 0, "Furniture smashed", {}});
}
