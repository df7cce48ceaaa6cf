#include "actors/ShotResolution.h"

#include "actors/Enemy.h"
#include "actors/Shot.h"
#include "effects/Particlehandler.h"
#include "world/Furniture.h"
#include "world/Map.h"
#include "world/Mapentity.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

// A candidate that was not found counts as this far away.
constexpr float noHit = 9999999.0f;

// The row of the particle sheet a shattered projectile throws.
constexpr int plasmaDrops = 13;

float lengthOf(sf::Vector2f v) {
    return std::sqrt(v.x * v.x + v.y * v.y);
}

// Whether a live circle of the given centre and radius lies on the segment,
// and where: the clamped closest point.
std::optional<sf::Vector2f> touchesCircle(sf::Vector2f a, sf::Vector2f b, sf::Vector2f centre, float radius) {
    sf::Vector2f q = closestPointOnSegment(a, b, centre);
    if (lengthOf(centre - q) < radius)
        return q;
    return std::nullopt;
}

// The nearest live entity of the list on the segment, or none.
struct EntityHit {
    Mapentity* entity = nullptr;
    SegmentHit at{{}, noHit};
};

EntityHit nearestOn(const EntityList& list, sf::Vector2f a, sf::Vector2f b) {
    EntityHit best;
    for (const auto& e : list) {
        if (e->dead)
            continue;
        if (auto q = touchesCircle(a, b, e->position, e->radius)) {
            float d = lengthOf(*q - a);
            if (d < best.at.distance)
                best = {e.get(), {*q, d}};
        }
    }
    return best;
}

// The block of tiles spanned by the segment, clamped to the grid; empty
// (x1 < x0) for a map without tiles or a segment gone NaN.
struct TileBlock {
    int x0 = 0, y0 = 0, x1 = -1, y1 = -1;
};

TileBlock blockOf(const Map& map, sf::Vector2f a, sf::Vector2f b) {
    int nx = map.columns(), ny = map.rows();
    if (nx == 0 || ny == 0 || !std::isfinite(a.x + a.y + b.x + b.y))
        return {};
    auto cell = [](float v, int count) {
        return static_cast<int>(std::clamp(std::floor(v / 64), 0.0f, static_cast<float>(count - 1)));
    };
    return {cell(std::min(a.x, b.x), nx), cell(std::min(a.y, b.y), ny), cell(std::max(a.x, b.x), nx),
            cell(std::max(a.y, b.y), ny)};
}

Tile& wallAt(Map& map, int x, int y) {
    return map.walls[static_cast<std::size_t>(x)][static_cast<std::size_t>(y)];
}

// Alien projectiles caught by a shot that shatters them burst into plasma drops.
void absorbProjectiles(Map& map, float angle, sf::Vector2f a, sf::Vector2f b) {
    for (auto& bullet : map.bullets)
        if (!bullet->dead && touchesCircle(a, b, bullet->position, bullet->radius)) {
            bullet->dead = true;
            Particlehandler::getInstance()->directedBurst(angle, bullet->position, 250, 0.3f, plasmaDrops, 40,
                                                          Particlehandler::air, 0.2f, true);
        }
}

// The way back toward the shooter from a point on the shot.
float backward(const Shot& shot) {
    return shot.angle + 3.14f;
}

// Chips kicked back toward the shooter from a wall the shot struck.
void chipWall(const Shot& shot, sf::Vector2f at, int count) {
    Particlehandler::getInstance()->impact(backward(shot), at, count, 0.8f, 20);
}

void bleed(float angle, sf::Vector2f at, float damage, float share) {
    Particlehandler::getInstance()->bleed(angle, at, static_cast<int>(std::trunc(damage * share)));
}

float tracerWidth(const Shot& shot) {
    return 1.0f + static_cast<float>(shot.tracerSize);
}

void addTracer(Map& map, const Shot& shot, sf::Vector2f to) {
    if (!shot.noTracer)
        map.tracers.push_back(makeTracer(shot.origin, to, tracerWidth(shot), shot.tracerColor));
}

void requestExplosion(Map& map, const Shot& shot, sf::Vector2f at) {
    if (shot.explosive)
        map.explosions.push_back({shot.damage, shot.explosionRadius, at.x, at.y,
                                  shot.source.blast(HitSource::With::explosiveRound)});
}

// Barrels go up from any ordinary hit: they take ten times what they have left.
float propDamage(const Mapentity& prop, float damage) {
    const auto* piece = dynamic_cast<const Furniture*>(&prop);
    return piece && piece->explosive ? 10.0f * prop.HP : damage;
}

// What a shot does to the enemy it hits besides the damage itself; a
// penetrating shot's poison is a share of its damage.
void applyShotEffects(const Shot& shot, Mapentity& enemy, float poisonShare = 1.0f) {
    auto* alien = dynamic_cast<Enemy*>(&enemy);
    if (shot.concussive) {
        enemy.velocity = {0, 0};
        enemy.setState(behaviour::searching);
        Particlehandler::getInstance()->sparks(backward(shot), enemy.position, 10, 0.5f);
        if (alien)
            alien->slow();
    }
    if (alien && shot.adrenaline)
        alien->makeBerserk();
    if (alien && shot.poisoned)
        alien->poison(shot.damage * poisonShare);
}

void resolveShot(Map& map, const Shot& shot) {
    const sf::Vector2f a = shot.origin;
    const sf::Vector2f b = shotEnd(shot);

    EntityHit enemy = nearestOn(map.enemies, a, b);
    EntityHit prop = nearestOn(map.furniture, a, b);
    Tile* wall = nullptr;
    SegmentHit wallHit{{}, noHit};
    TileBlock block = blockOf(map, a, b);
    for (int x = block.x0; x <= block.x1; ++x)
        for (int y = block.y0; y <= block.y1; ++y) {
            if (!map.isSolid(x, y))
                continue;
            if (auto q = segmentEntersTile(a, b, x, y)) {
                float d = lengthOf(*q - a);
                if (d < wallHit.distance) {
                    wall = &wallAt(map, x, y);
                    wallHit = {*q, d};
                }
            }
        }

    if (shot.absorbsProjectiles)
        absorbProjectiles(map, shot.angle, a, b);

    const float dw = wallHit.distance, de = enemy.at.distance, dp = prop.at.distance;
    if (wall && dw < de && dw < dp) {
        addTracer(map, shot, wallHit.point);
        damageTile(*wall, shot.damage, wallHit.point);
        chipWall(shot, wallHit.point, std::rand() % 2 + 1);
        requestExplosion(map, shot, wallHit.point);
    } else if (enemy.entity && de < dw && de < dp) {
        addTracer(map, shot, enemy.at.point);
        bleed(shot.angle, enemy.at.point, shot.damage, 1.0f / 3);
        hurtActor(*enemy.entity, shot.damage, a, shot.noTracer, false, shot.source);
        requestExplosion(map, shot, enemy.at.point);
        applyShotEffects(shot, *enemy.entity);
    } else if (prop.entity && dp < dw && dp < de) {
        addTracer(map, shot, prop.at.point);
        prop.entity->takeHit(propDamage(*prop.entity, shot.damage), a, shot.source);
        Particlehandler::getInstance()->splinters(backward(shot), prop.at.point, std::rand() % 2 + 1, 2, 20);
        requestExplosion(map, shot, prop.at.point);
    }
}

void resolvePenetratingShot(Map& map, const Shot& shot) {
    const sf::Vector2f a = shot.origin;
    const sf::Vector2f b = shotEnd(shot);

    absorbProjectiles(map, shot.angle, a, b);
    for (std::size_t i = 0; i < map.enemies.size(); ++i) {
        Mapentity& enemy = *map.enemies[i];
        if (enemy.dead)
            continue;
        if (auto q = touchesCircle(a, b, enemy.position, enemy.radius)) {
            // Blood both ways: back out of the wound and on through it.
            bleed(backward(shot), *q, shot.damage, 0.33333334f);
            bleed(backward(shot) + 3.14f, *q, shot.damage, 0.33333334f);
            hurtActor(enemy, shot.damage, a, shot.noTracer, false, shot.source);
            requestExplosion(map, shot, *q);
            applyShotEffects(shot, enemy, 0.4f);
        }
    }
    for (std::size_t i = 0; i < map.furniture.size(); ++i) {
        Mapentity& prop = *map.furniture[i];
        if (!prop.dead && touchesCircle(a, b, prop.position, prop.radius))
            prop.takeHit(propDamage(prop, shot.damage), a, shot.source);
    }
    TileBlock block = blockOf(map, a, b);
    for (int x = block.x0; x <= block.x1; ++x)
        for (int y = block.y0; y <= block.y1; ++y) {
            if (!map.isSolid(x, y))
                continue;
            // The wall sprays both ways: back at the shooter and out of its far side.
            if (auto q = segmentEntersTile(a, b, x, y)) {
                damageTile(wallAt(map, x, y), shot.damage, *q);
                chipWall(shot, *q, std::rand() % 2 + 2);
                Particlehandler::getInstance()->impact(shot.angle, *q, std::rand() % 2 + 2, 0.8f, 20);
            }
        }
    addTracer(map, shot, b);
}

} // namespace

sf::Vector2f closestPointOnSegment(sf::Vector2f a, sf::Vector2f b, sf::Vector2f p) {
    sf::Vector2f ab = b - a;
    float len2 = ab.x * ab.x + ab.y * ab.y;
    if (!(len2 > 0))
        return a;
    float t = std::clamp(((p.x - a.x) * ab.x + (p.y - a.y) * ab.y) / len2, 0.0f, 1.0f);
    if (std::isnan(t))
        return a;
    return a + ab * t;
}

// Slab clipping of the segment against the square: the entry parameter is
// the largest of the per-axis entries, the exit the smallest of the exits.
std::optional<sf::Vector2f> segmentEntersTile(sf::Vector2f a, sf::Vector2f b, int x, int y) {
    const float lo[2] = {static_cast<float>(64 * x), static_cast<float>(64 * y)};
    const float start[2] = {a.x, a.y};
    const float delta[2] = {b.x - a.x, b.y - a.y};
    float enter = 0, leave = 1;
    for (int k = 0; k < 2; ++k) {
        float low = lo[k], high = lo[k] + 64;
        if (delta[k] == 0) {
            if (start[k] < low || start[k] > high)
                return std::nullopt;
            continue;
        }
        float t0 = (low - start[k]) / delta[k];
        float t1 = (high - start[k]) / delta[k];
        if (t0 > t1)
            std::swap(t0, t1);
        enter = std::max(enter, t0);
        leave = std::min(leave, t1);
        if (!(enter <= leave))
            return std::nullopt;
    }
    return a + (b - a) * enter;
}

sf::Vector2f shotEnd(const Shot& shot) {
    return shot.origin + sf::Vector2f(std::cos(shot.angle), std::sin(shot.angle)) * shot.range;
}

Tracer makeTracer(sf::Vector2f a, sf::Vector2f b, float width, sf::Color color) {
    Tracer tracer;
    color.a = 200;
    tracer.shape.setFillColor(color);
    sf::Color edge = color;
    edge.a = 90;
    tracer.shape.setOutlineColor(edge);
    tracer.shape.setQuad(lineQuad(a, b, width), 0.5f);
    // Gone within about a third of a second: long enough to read where the shot went.
    tracer.rate = 600;
    return tracer;
}

void resolveShots(Map& map) {
    for (std::size_t i = map.shots.size(); i-- > 0;) {
        Shot shot = map.shots[i];
        map.shots.erase(map.shots.begin() + static_cast<std::ptrdiff_t>(i));
        resolveShot(map, shot);
    }
}

void resolvePenetratingShots(Map& map) {
    for (std::size_t i = map.penetratingShots.size(); i-- > 0;) {
        Shot shot = map.penetratingShots[i];
        map.penetratingShots.erase(map.penetratingShots.begin() + static_cast<std::ptrdiff_t>(i));
        resolvePenetratingShot(map, shot);
    }
}
