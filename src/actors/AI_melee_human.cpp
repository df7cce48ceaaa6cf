#include "actors/AI_melee_human.h"

#include "actors/Enemy.h"
#include "actors/Player.h"
#include "core/Contenthandler.h"
#include "world/Map.h"
#include "world/Maphandler.h"

namespace {

// A warning is passed on from this close. The partner's own body keeps the
// human from ever standing on the partner's spot.
constexpr float warnReach = 128.0f;

} // namespace

void AI_melee_human::update(Enemy& enemy, float dt) {
    notice(enemy);
    followPath(enemy);
    if (enemy.berserk) {
        berserkTarget(enemy);
        return;
    }
    unstick(enemy);
    checkLowHealth(enemy);
    checkWarn(enemy);
    hunt(enemy, dt);
}

void AI_melee_human::checkLowHealth(Enemy& enemy) {
    const float threshold = enemy.MaxHP * 0.2f;
    if (!(enemy.HP < threshold))
        return;
    if (enemy.previousHP > threshold)
        playVoice(3, Contenthandler::getInstance()->humanRunawayBuffer);
    enemy.setState(behaviour::fleeing);
    flee(enemy);
}

void AI_melee_human::checkWarn(Enemy& enemy) {
    if (enemy.state <= behaviour::chasing ||
        distance(enemy.position, Player::getInstance()->position) <= enemy.keepAwayDistance)
        return;
    findPartner(enemy);
    if (enemy.state == behaviour::warning)
        goWarn(enemy);
}

void AI_melee_human::findPartner(Enemy& enemy) {
    Map* map = Maphandler::getInstance()->currentMap();
    if (!map)
        return;
    enemy.target = nullptr;
    float best = 10000;
    // Humans warn each other; the aliens are not their friends.
    for (auto& other : map->enemies) {
        if (other.get() == &enemy || other->dead || other->getKind() != Enemy::human ||
            other->getState() >= 2)
            continue;
        float d = distance(enemy.position, other->position);
        if (d < best) {
            best = d;
            enemy.target = other.get();
        }
    }
    if (enemy.target)
        enemy.setState(behaviour::warning);
}

void AI_melee_human::goWarn(Enemy& enemy) {
    auto* partner = dynamic_cast<Enemy*>(enemy.target);
    if (!partner) {
        enemy.setState(behaviour::fleeing);
        return;
    }
    enemy.setDestination(partner->position);
    if (distance(enemy.position, partner->position) > warnReach)
        return;
    enemy.setState(behaviour::fleeing);
    partner->lastSeenTile = enemy.lastSeenTile;
    partner->searchRadius = enemy.searchRadius;
    partner->setState(behaviour::chasing);
    partner->alertTimer.start();
}
