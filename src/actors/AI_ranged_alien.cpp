#include "actors/AI_ranged_alien.h"

#include "actors/Bullet.h"
#include "actors/Enemy.h"
#include "actors/Player.h"
#include "core/Contenthandler.h"
#include "effects/Particlehandler.h"
#include "world/Map.h"
#include "world/Maphandler.h"

#include <memory>

void AI_ranged_alien::update(Enemy& enemy, float dt) {
    updateAlien(enemy, dt);
}

std::optional<sf::Vector2f> AI_ranged_alien::aimPoint(Enemy& enemy) {
    if (!enemy.berserk)
        return Player::getInstance()->position;
    if (!enemy.target)
        berserkTarget(enemy);
    if (!enemy.target)
        return std::nullopt;
    return enemy.target->position;
}

void AI_ranged_alien::decide(Enemy& enemy) {
    const sf::Vector2f player = Player::getInstance()->position;
    const sf::Vector2f aim = aimPoint(enemy).value_or(player);
    const float toAim = distance(enemy.position, aim);
    if (toAim < enemy.keepAwayDistance && enemy.seesPlayer) {
        if (enemy.state != behaviour::fleeing)
            flee(enemy);
        return;
    }
    const float toPlayer = distance(enemy.position, player);
    if (toAim > enemy.sightRange && enemy.state > behaviour::chasing) {
        enemy.setDestination(enemy.position);
        enemy.setState(behaviour::chasing);
    } else if (toPlayer >= enemy.keepAwayDistance && toPlayer <= enemy.sightRange && enemy.seesPlayer) {
        enemy.setState(behaviour::shooting);
        enemy.setDestination(enemy.position);
        if (!enemy.stunTimer.running)
            shoot(enemy);
    } else if (enemy.state > behaviour::chasing) {
        enemy.setState(behaviour::chasing);
        // Back in sight, it fires at once instead of waiting out an old cooldown.
        enemy.attackTimer.stop();
    }
}

void AI_ranged_alien::shoot(Enemy& enemy) {
    const Timer& cooldown = enemy.attackTimer;
    if (cooldown.remaining > 0 && cooldown.remaining != cooldown.duration)
        return;
    auto aim = aimPoint(enemy);
    Map* map = Maphandler::getInstance()->currentMap();
    if (!aim || !map)
        return;
    map->bullets.push_back(std::make_unique<Bullet>(*aim, enemy.position, enemy.berserk));
    Particlehandler::getInstance()->muzzleFlash(enemy.position);
    enemy.attackTimer.start();
    Contenthandler* content = Contenthandler::getInstance();
    content->alienWeaponSound.play();
    playVoice(6, content->rangedAlienShootBuffer);
}
