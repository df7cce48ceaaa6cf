#include "actors/AimHelp.h"

#include "actors/Enemy.h"
#include "world/Map.h"
#include "world/SightLine.h"

#include <cmath>
#include <numbers>

float aimHelpCone(int level) {
    // Low forgives a thumb's wobble; high also a hurried flick. Both stay
    // narrow enough that the aim goes where the stick points.
    constexpr float degree = std::numbers::pi_v<float> / 180;
    return level >= 2 ? 15 * degree : level == 1 ? 7 * degree : 0;
}

sf::Vector2f bendAim(const Map& map, sf::Vector2f from, sf::Vector2f stick, int level, float reach) {
    const float cone = aimHelpCone(level);
    if (cone <= 0)
        return stick;
    const float cosCone = std::cos(cone);
    sf::Vector2f best = stick;
    float bestDistance = reach;
    for (const auto& entity : map.enemies) {
        if (!entity || entity->dead || entity->getKind() == Enemy::human)
            continue;
        const sf::Vector2f to = entity->position - from;
        const float distance = std::hypot(to.x, to.y);
        if (distance <= 0 || distance >= bestDistance)
            continue;
        const sf::Vector2f direction = to / distance;
        if (direction.x * stick.x + direction.y * stick.y < cosCone ||
            segmentHitsSolid(map, from, entity->position))
            continue;
        best = direction;
        bestDistance = distance;
    }
    return best;
}
