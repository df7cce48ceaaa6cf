#include "actors/AI.h"

#include "actors/Enemy.h"
#include "actors/Player.h"
#include "core/Contenthandler.h"
#include "world/Map.h"
#include "world/Maphandler.h"
#include "world/SightLine.h"

#include <cmath>
#include <cstdlib>

float AI::distance(sf::Vector2f a, sf::Vector2f b) {
    sf::Vector2f d = a - b;
    return std::sqrt(d.x * d.x + d.y * d.y);
}

sf::Vector2f AI::corner(sf::Vector2i tile) {
    return {static_cast<float>(tile.x * 64), static_cast<float>(tile.y * 64)};
}

void AI::notice(Enemy& enemy) {
    enemy.sawPlayerLastFrame = enemy.seesPlayer;
    const sf::Vector2f player = Player::getInstance()->position;
    Map* map = Maphandler::getInstance()->currentMap();
    enemy.seesPlayer = distance(enemy.position, player) <= enemy.sightRange &&
                       !(map && segmentHitsSolid(*map, enemy.position, player));
    if (!enemy.seesPlayer)
        return;
    enemy.lastSeenTile = {static_cast<int>(player.x * 0.015625f), static_cast<int>(player.y * 0.015625f)};
    enemy.searchRadius = 0;
    if (enemy.sawPlayerLastFrame)
        return;
    // The voice is kept to once per 4 s, or a player dodging in and out of
    // sight would set off a chorus.
    if (enemy.noticeTimer.remaining <= 0)
        playVoice(0, Contenthandler::getInstance()->noticeBuffers[enemy.kind]);
    enemy.noticeTimer.start();
}

void AI::followPath(Enemy& enemy) {
    if (distance(enemy.position, enemy.nextWaypoint()) > enemy.waypointRadius)
        return;
    if (enemy.path.size() > 1)
        enemy.path.erase(enemy.path.begin());
    else
        enemy.setDestination(enemy.position);
}

void AI::hunt(Enemy& enemy, float dt) {
    if (enemy.state >= behaviour::fleeing)
        return;
    Player* player = Player::getInstance();
    if (enemy.seesPlayer) {
        enemy.setState(behaviour::chasing);
        enemy.setDestination(player->position);
        return;
    }
    Map* map = Maphandler::getInstance()->currentMap();
    if (!map)
        return;
    // How far the player could have gone since he was seen, in tiles.
    if (enemy.searchRadius <= static_cast<float>(map->columns())) {
        sf::Vector2f v = player->velocity;
        enemy.searchRadius += std::sqrt(v.x * v.x + v.y * v.y) * dt * 0.015625f;
    }
    if (enemy.standsOnWaypoint()) {
        enemy.setState(behaviour::searching);
        if (enemy.searchRadius < 15)
            search(enemy);
        else
            wander(enemy);
    }
}

void AI::search(Enemy& enemy) {
    Map* map = Maphandler::getInstance()->currentMap();
    if (!map)
        return;
    const int W = map->columns(), H = map->rows();
    const int r = static_cast<int>(enemy.searchRadius);
    std::vector<sf::Vector2i> candidates;
    for (int dx = -r; dx < r; ++dx)
        for (int dy = -r; dy < r; ++dy) {
            sf::Vector2i t = enemy.lastSeenTile + sf::Vector2i(dx, dy);
            if (t.x >= 0 && t.x < W - 3 && t.y >= 0 && t.y < H - 3 && !map->isSolid(t.x, t.y))
                candidates.push_back(t);
        }
    if (candidates.size() >= 2)
        enemy.setDestination(corner(pick(candidates)));
    // A player who has not moved since he was seen is still where he was.
    if (enemy.searchRadius == 0)
        enemy.setDestination(Player::getInstance()->position);
}

void AI::wander(Enemy& enemy) {
    Map* map = Maphandler::getInstance()->currentMap();
    if (!map)
        return;
    const int column = randInt(2, map->columns() - 3), row = randInt(2, map->rows() - 3);
    // A crowd that keeps bumping wanders often: one allocation, not five.
    std::vector<sf::Vector2i> candidates;
    candidates.reserve(16);
    for (int x = column - 2; x <= column + 1; ++x)
        for (int y = row - 2; y <= row + 1; ++y)
            if (x >= 0 && y >= 0 && x < map->columns() && y < map->rows() && !map->isSolid(x, y))
                candidates.emplace_back(x, y);
    if (!candidates.empty())
        enemy.setDestination(corner(pick(candidates)));
}

void AI::flee(Enemy& enemy) {
    enemy.setState(behaviour::fleeing);
    Map* map = Maphandler::getInstance()->currentMap();
    if (!map)
        return;
    sf::Vector2f away = enemy.position - Player::getInstance()->position;
    float length = std::sqrt(away.x * away.x + away.y * away.y);
    // Standing on the player there is no away; any direction will do.
    sf::Vector2f u = length > 0 ? away / length : sf::Vector2f(1, 0);
    const sf::Vector2f centre = enemy.position / 64.0f + u * 20.0f;
    const int W = map->columns(), H = map->rows();
    std::vector<sf::Vector2i> candidates;
    for (int dx = -8; dx <= 8; ++dx)
        for (int dy = -8; dy <= 8; ++dy) {
            sf::Vector2i t(static_cast<int>(centre.x + static_cast<float>(dx)),
                           static_cast<int>(centre.y + static_cast<float>(dy)));
            if (t.x >= 0 && t.x < W - 3 && t.y >= 0 && t.y < H - 3 && !map->isSolid(t.x, t.y))
                candidates.push_back(t);
        }
    if (!candidates.empty())
        enemy.setDestination(corner(pick(candidates)));
}

void AI::unstick(Enemy& enemy) {
    // A charging or powering-up melee alien means to run into things.
    if (enemy.bumpCount > 7 && !(enemy.kind == Enemy::meleeAlien && enemy.state > behaviour::fleeing) &&
        std::rand() % 3 == 2)
        wander(enemy);
}

void AI::berserkTarget(Enemy& enemy) {
    bool charging = enemy.kind == Enemy::meleeAlien &&
                    (enemy.state == behaviour::poweringUp || enemy.state == behaviour::charging);
    if (enemy.state > behaviour::chasing && !charging)
        return;
    Map* map = Maphandler::getInstance()->currentMap();
    if (!map)
        return;
    enemy.target = nullptr;
    float best = 10000;
    for (auto& other : map->enemies) {
        if (other.get() == &enemy || other->dead)
            continue;
        float d = distance(enemy.position, other->position);
        if (d != 0 && d < best) {
            best = d;
            enemy.target = other.get();
        }
    }
    const sf::Vector2f player = Player::getInstance()->position;
    if (distance(enemy.position, player) < best)
        enemy.setDestination(player);
    else if (enemy.target)
        enemy.setDestination(enemy.target->position);
}

void AI::updateAlien(Enemy& enemy, float dt) {
    notice(enemy);
    if (!enemy.berserk) {
        unstick(enemy);
        hunt(enemy, dt);
    } else {
        berserkTarget(enemy);
    }
    followPath(enemy);
    decide(enemy);
}
