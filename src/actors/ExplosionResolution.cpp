#include "actors/ExplosionResolution.h"

#include "actors/Enemy.h"
#include "actors/ExplosionRequest.h"
#include "actors/ShotResolution.h"
#include "core/Contenthandler.h"
#include "effects/Particlehandler.h"
#include "world/Furniture.h"
#include "world/Map.h"
#include "world/Mapentity.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

float lengthOf(sf::Vector2f v) {
    return std::sqrt(v.x * v.x + v.y * v.y);
}

// The tiles a blast can reach: a block around its centre, half-open in
// both directions, clamped to the grid.
struct BlastBlock {
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
};

BlastBlock blockAround(const Map& map, const ExplosionRequest& blast) {
    int nx = map.columns(), ny = map.rows();
    if (nx == 0 || ny == 0 || !std::isfinite(blast.x + blast.y + blast.radius))
        return {};
    float e = (1.5f * blast.radius) * (1.5f * blast.radius) * 2 * 0.001f;
    auto bound = [](float v, int count) {
        return static_cast<int>(std::clamp(std::floor(v), 0.0f, static_cast<float>(count - 1)));
    };
    return {bound((blast.x - e) / 64 - 2, nx), bound((blast.y - e) / 64 - 2, ny),
            bound((blast.x + e) / 64 + 2, nx), bound((blast.y + e) / 64 + 2, ny)};
}

int shieldIn(const Map& map, const BlastBlock& block, sf::Vector2f centre, sf::Vector2f at) {
    int shield = 0;
    for (int x = block.x0; x < block.x1; ++x)
        for (int y = block.y0; y < block.y1; ++y)
            if (map.isSolid(x, y) && segmentEntersTile(at, centre, x, y))
                shield += map.walls[static_cast<std::size_t>(x)][static_cast<std::size_t>(y)].hitPoints;
    return shield;
}

void resolveExplosion(Map& map, Mapentity* player, const ExplosionRequest& blast) {
    const sf::Vector2f c(blast.x, blast.y);
    const float R = blast.radius, D = blast.damage;
    const BlastBlock block = blockAround(map, blast);

    // Everyone in reach is chosen before anyone is hurt, so a death on the
    // way does not change who else the blast finds.
    std::vector<Mapentity*> caught;
    for (auto& enemy : map.enemies)
        if (!enemy->dead && lengthOf(enemy->position - c) < R + enemy->radius)
            caught.push_back(enemy.get());
    for (Mapentity* enemy : caught) {
        float amount = explosionFalloff(D, lengthOf(enemy->position - c), R + enemy->radius);
        float shield = static_cast<float>(shieldIn(map, block, c, enemy->position));
        if (shield < amount)
            hurtActor(*enemy, amount - shield, c, false, true, blast.source);
    }
    for (int x = block.x0; x < block.x1; ++x)
        for (int y = block.y0; y < block.y1; ++y) {
            if (!map.isSolid(x, y))
                continue;
            sf::Vector2f centre(static_cast<float>(x * 64 + 32), static_cast<float>(y * 64 + 32));
            float d = lengthOf(centre - c);
            // The chips of a broken block fly from its middle, where the eye expects them.
            if (d < R)
                damageTile(map.walls[static_cast<std::size_t>(x)][static_cast<std::size_t>(y)],
                           (1 - d / R) * D, centre);
        }

    for (std::size_t i = 0; i < map.furniture.size(); ++i) {
        Mapentity& prop = *map.furniture[i];
        float d = lengthOf(prop.position - c);
        if (d >= R + prop.radius)
            continue;
        const auto* piece = dynamic_cast<const Furniture*>(&prop);
        float amount = piece && piece->explosive ? 10.0f * prop.HP : explosionFalloff(D, d, R + prop.radius);
        prop.takeHit(amount, c, blast.source);
    }

    // The player's cover is what is left of the walls once this blast has
    // worn them down: a wall it breaks no longer shields him.
    if (player) {
        float d = lengthOf(player->position - c);
        if (d < R + player->radius) {
            float amount = explosionFalloff(D, d, R + player->radius);
            float shield = static_cast<float>(shieldIn(map, block, c, player->position));
            if (shield < amount)
                player->takeHit(amount - shield, c, blast.source);
        }
    }

    Contenthandler::getInstance()->explosionSound.play();
    Particlehandler::getInstance()->explosion(c, 0.8f, R);
}

} // namespace

float explosionFalloff(float damage, float distance, float reach) {
    if (!(distance < reach) || !(reach > 0))
        return 0;
    return (1 - distance / reach) * damage;
}

int wallShield(const Map& map, const ExplosionRequest& blast, sf::Vector2f at) {
    return shieldIn(map, blockAround(map, blast), sf::Vector2f(blast.x, blast.y), at);
}

void resolveExplosions(Map& map, Mapentity* player) {
    for (std::size_t i = map.explosions.size(); i-- > 0;) {
        ExplosionRequest blast = map.explosions[i];
        map.explosions.erase(map.explosions.begin() + static_cast<std::ptrdiff_t>(i));
        resolveExplosion(map, player, blast);
    }
}
