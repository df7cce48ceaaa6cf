#include "actors/AI_melee_alien.h"

#include "actors/Enemy.h"
#include "core/Contenthandler.h"
#include "effects/Particlehandler.h"
#include "world/Map.h"
#include "world/Maphandler.h"

#include <algorithm>
#include <cmath>

void AI_melee_alien::update(Enemy& enemy, float dt) {
    updateAlien(enemy, dt);
}

void AI_melee_alien::decide(Enemy& enemy) {
    if (enemy.state == behaviour::chasing)
        powerUp(enemy);
    // A stunned alien holds its charge until the stun wears off.
    if (enemy.attackTimer.remaining <= 0 && enemy.state == behaviour::poweringUp && !enemy.isStunned()) {
        enemy.attackTimer.stop();
        charge(enemy);
    }
    if (enemy.state == behaviour::charging) {
        enemy.mass = 500;
        if (enemy.standsOnWaypoint() || enemy.attackTimer.expired()) {
            enemy.setState(behaviour::searching);
            enemy.mass = 300;
        }
    }
}

void AI_melee_alien::powerUp(Enemy& enemy) {
    enemy.setState(behaviour::poweringUp);
    enemy.attackTimer.start();
    enemy.setDestination(enemy.position);
    playVoice(4, Contenthandler::getInstance()->meleeAlienPowerupBuffer);
}

void AI_melee_alien::charge(Enemy& enemy) {
    chooseChargeTarget(enemy);
    enemy.setState(behaviour::charging);
    // Any charge arrives well within a power-up's time; one that has not by
    // then is held up (the brainwash machine, which it cannot break, stands
    // in its way) and gives up instead of pushing for ever.
    enemy.attackTimer.start();
    Contenthandler* content = Contenthandler::getInstance();
    playVoice(5, content->meleeAlienChargeBuffer);
    stopVoice(4, content->meleeAlienPowerupBuffer);
    sf::Vector2f d = enemy.nextWaypoint() - enemy.position;
    float angle = std::atan2(d.y, d.x);
    constexpr int smokePuffs = 3;
    Particlehandler::getInstance()->directedBurst(angle, enemy.position, 250, 0.6f, smokePuffs, 12,
                                                  Particlehandler::ground, 0.25f, true);
}

void AI_melee_alien::chooseChargeTarget(Enemy& enemy) {
    search(enemy);
    Map* map = Maphandler::getInstance()->currentMap();
    if (!map)
        return;
    const sf::Vector2f beyond = enemy.position + 1.4f * (enemy.nextWaypoint() - enemy.position);
    const float maxX = static_cast<float>((map->columns() - 2) * 64);
    const float maxY = static_cast<float>((map->rows() - 2) * 64);
    enemy.setDestination({std::clamp(std::trunc(beyond.x), 64.0f, std::max(maxX, 64.0f)),
                          std::clamp(std::trunc(beyond.y), 64.0f, std::max(maxY, 64.0f))});
}
