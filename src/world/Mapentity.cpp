#include "world/Mapentity.h"

#include "actors/Player.h"
#include "core/Contenthandler.h"
#include "core/Settings.h"
#include "world/EntityIndex.h"
#include "world/Map.h"
#include "world/Maphandler.h"

#include <SFML/Graphics/RenderWindow.hpp>

#include <algorithm>
#include <cmath>
#include <optional>

namespace {

float lengthOf(sf::Vector2f v) {
    return std::sqrt(v.x * v.x + v.y * v.y);
}

// Unit vector from `from` to `to`; two entities on the same spot part along x.
sf::Vector2f unitFrom(sf::Vector2f from, sf::Vector2f to) {
    sf::Vector2f d = to - from;
    float len = lengthOf(d);
    if (len <= 0 || !std::isfinite(len))
        return {1, 0};
    return d / len;
}

bool overlaps(const Mapentity& a, const Mapentity& b) {
    return circlesTouch(a.position, a.radius, b.position, b.radius);
}

bool notPositive(const Timer& t) {
    return !t.running || t.remaining <= 0;
}

} // namespace

float damageAfterArmour(float amount, float armour) {
    float k = armour > 0 ? std::clamp(amount / armour * 0.5f, 0.0f, 1.0f) : 1.0f;
    return std::clamp(k * amount - armour * 0.1f, 0.0f, 9999999.0f);
}

void Mapentity::clampToMap(const Map& map) {
    float maxX = static_cast<float>(64 * map.columns() - 64);
    float maxY = static_cast<float>(64 * map.rows() - 64);
    // A position gone NaN would never come back; it lands in the corner instead.
    position.x = std::isnan(position.x) ? radius : std::max(std::min(position.x, maxX), radius);
    position.y = std::isnan(position.y) ? radius : std::max(std::min(position.y, maxY), radius);
}

void Mapentity::applyFriction(float dt) {
    auto damp = [&](float& v) {
        if (std::abs(v) * dt < 0.01f * dt)
            v = 0;
        float next = v - friction * v * dt;
        v = (next > 0) != (v > 0) ? 0 : next;
    };
    damp(velocity.x);
    damp(velocity.y);
}

void Mapentity::update(float dt) {
    Map* map = Maphandler::getInstance()->currentMap();
    if (map)
        clampToMap(*map);

    if (animated) {
        previousFrameTimer = frameTimer;
        frameTimer -= ((velocity.x * velocity.x + velocity.y * velocity.y) * 0.000005f + 0.1f) * dt;
        if (frameTimer <= 0) {
            frameTimer = previousFrameTimer = frameTime;
            frame = frame + 1 > frameCount - 1 ? firstFrame : frame + 1;
            row = std::max(row, minRow);
        }
    }

    if (!frozen) {
        applyFriction(dt);
        position += velocity * dt;
        rotation += angularVelocity * dt;
        if (map && !stillAtRest(*map)) {
            const sf::Vector2f before = position;
            const bool resting = collide(*map, dt) && position == before;
            rest = {resting,
                    position,
                    collisionOffset,
                    radius,
                    map->propIndex.now(),
                    map->enemyIndex.now(),
                    Map::tileRevision};
        }
    }

    previousDirection = direction;
    if (velocity.x == 0 && velocity.y == 0)
        direction = 0;
    else if (std::abs(velocity.y) > std::abs(velocity.x))
        direction = velocity.y > 0 ? 1 : 2;
    else
        direction = velocity.x > 0 ? 3 : 4;
    if (direction != previousDirection && directionalRows)
        row = direction;

    sprite.setTextureRect(sf::IntRect(frame * frameWidth, row * frameHeight, frameWidth, frameHeight));
}

bool Mapentity::collide(Map& map, float dt) {
    // Contacts with the walked lists are not counted: without both indexes
    // there is no rest to note.
    const bool propsIndexed = map.propIndex.covers(map.furniture);
    const bool enemiesIndexed = map.enemyIndex.covers(map.enemies);
    bool touched = false;
    if (propsIndexed)
        touched |= collideWithIndexedProps(map.furniture, map.propIndex);
    else
        collideWithProps(map.furniture, dt);
    if (enemiesIndexed)
        touched |= collideWithIndexedActors(map.enemies, map.enemyIndex);
    else
        collideWithActors(map.enemies, dt);
    touched |= collideWithTiles(map.walls);
    // A push can carry the centre past the edge; it never shows outside the map.
    clampToMap(map);
    return propsIndexed && enemiesIndexed && !touched;
}

// What the collisions read is this body's place and size, the places and
// sizes of the props and enemies near it, and the walls, which only ever
// break. With all of them as they were at a rest, they would find nothing
// to touch again and leave it where it is (the clamp leaves a clamped place).
bool Mapentity::stillAtRest(const Map& map) const {
    return rest.valid && position == rest.position && radius == rest.radius &&
           collisionOffset == rest.collisionOffset && rest.tiles == Map::tileRevision &&
           map.propIndex.covers(map.furniture) && map.enemyIndex.covers(map.enemies) &&
           map.propIndex.lastChangeNear(position, radius) <= rest.props &&
           map.enemyIndex.lastChangeNear(position, radius) <= rest.enemies;
}

void Mapentity::draw() {
    sf::Shader& shader = Contenthandler::getInstance()->grayScaleShader;
    shader.setUniform("tint", sf::Glsl::Vec4(sprite.getColor()));
    sprite.setPosition(position);
    sprite.setRotation(rotation);
    gameWindow().draw(sprite, &shader);
}

void Mapentity::countBump() {
    if (!bumpActive || bumpTimer <= 0) {
        bumpCount = 1;
        bumpRepeated = false;
    } else {
        ++bumpCount;
        bumpRepeated = true;
    }
    bumpTimer = bumpPrevious = bumpReset;
    bumpActive = true;
}

void Mapentity::pushOffProp(List& list, std::size_t i) {
    Mapentity& o = *list[i];
    sf::Vector2f n = unitFrom(o.position, position);
    o.velocity += mass * 0.001f * sf::Vector2f(std::abs(n.x) * velocity.x, std::abs(n.y) * velocity.y);
    position = o.position + n * (o.radius + radius + 3.0f);
    // Melee aliens smash props in their way, but leave the machine to the player.
    if (getKind() == 2 && i + 1 != list.size() && notPositive(getStunTimer()))
        o.takeHit(std::trunc(getDamage()), position, HitSource::contactBy(getKind()));
    countBump();
}

void Mapentity::collideWithProps(List& list, float) {
    for (std::size_t i = 0; i < list.size(); ++i)
        if (list[i].get() != this && overlaps(*this, *list[i]))
            pushOffProp(list, i);
}

// The same entities in the same order as a walk of the whole list: after
// each contact the first entity overlapping the new position is looked up
// again, from the next one on.
template <typename Contact>
bool Mapentity::walkIndexed(List& list, const EntityIndex& index, Contact contact) {
    auto touches = [&](std::size_t i) { return list[i].get() != this && index.touches(i, position, radius); };
    for (std::size_t from = 0;;) {
        std::optional<std::size_t> hit = index.firstNear(position, radius, from, touches);
        if (!hit)
            return from > 0;
        from = *hit + 1;
        contact(*hit);
    }
}

bool Mapentity::collideWithIndexedProps(List& list, const EntityIndex& index) {
    return walkIndexed(list, index, [&](std::size_t i) { pushOffProp(list, i); });
}

bool Mapentity::collideWithIndexedActors(List& list, const EntityIndex& index) {
    return walkIndexed(list, index, [&](std::size_t i) { bumpInto(list, i); });
}

void Mapentity::bumpInto(List& list, std::size_t i) {
    Mapentity& o = *list[i];
    sf::Vector2f n = unitFrom(o.position, position);
    sf::Vector2f v = velocity, ov = o.velocity;
    float m = mass, mo = o.mass;
    if (mo > 0) {
        o.velocity.x -= (m + mo) / mo * std::abs(n.x) * v.x * 0.1f;
        o.velocity.y -= (m + mo) / mo * std::abs(n.y) * v.y * 0.1f;
    }
    if (m > 0) {
        velocity.x += (mo + m) / m * std::abs(n.x) * ov.x * 0.1f;
        velocity.y += (mo + m) / m * std::abs(n.y) * ov.y * 0.1f;
    }
    position = o.position + n * (o.radius + radius + 3.0f);
    if (getKind() == 2 && o.getKind() == 2 && getState() > 5 && o.getState() > 5) {
        setState(1);
        setDestination(position);
        o.setState(1);
        o.setDestination(o.position);
    }
    if (notPositive(o.getStunTimer()) && getKind() == -1 && this == Player::getInstance())
        takeHit(o.getDamage(), o.position, HitSource::contactBy(o.getKind()));
    if (isBerserk() && notPositive(getStunTimer()) && notPositive(o.getHitGuardTimer())) {
        o.takeHit(getDamage(), position, HitSource::contactBy(getKind()));
        o.startHitGuard();
    }
    countBump();
}

void Mapentity::collideWithActors(List& list, float) {
    for (std::size_t i = 0; i < list.size(); ++i)
        if (list[i].get() != this && overlaps(*this, *list[i]))
            bumpInto(list, i);
}

bool Mapentity::collideWithTiles(Grid& grid) {
    bool x = collideWithTilesOnAxis(0, grid);
    bool y = collideWithTilesOnAxis(1, grid);
    return x || y;
}

bool Mapentity::collideWithTilesOnAxis(int axis, Grid& grid) {
    int nx = static_cast<int>(grid.size());
    int ny = nx > 0 ? static_cast<int>(grid[0].size()) : 0;
    if (nx == 0 || ny == 0 || !(radius > 0))
        return false;
    int a = axis == 0 ? 0 : 1;
    auto along = [a](sf::Vector2f& p) -> float& { return a == 0 ? p.x : p.y; };
    auto across = [a](sf::Vector2f& p) -> float& { return a == 0 ? p.y : p.x; };

    sf::Vector2f c = position + collisionOffset;
    if (!std::isfinite(c.x) || !std::isfinite(c.y))
        return false;
    // Clamped first, the tile number is never negative, so the conversion's
    // truncation is the floor.
    auto cell = [](float v, int count) {
        return static_cast<int>(std::clamp(v / 64, 0.0f, static_cast<float>(count - 1)));
    };
    int x0 = cell(c.x - radius, nx), x1 = cell(c.x + radius, nx);
    int y0 = cell(c.y - radius, ny), y1 = cell(c.y + radius, ny);

    bool touched = false;
    std::optional<sf::Vector2f> corner;
    float cornerAlong = 0, cornerAcross = 0;
    float r2 = radius * radius;
    for (int x = x0; x <= x1; ++x)
        for (int y = y0; y <= y1; ++y) {
            if (grid[static_cast<std::size_t>(x)][static_cast<std::size_t>(y)].kind == 0)
                continue;
            sf::Vector2f low(static_cast<float>(64 * x), static_cast<float>(64 * y));
            sf::Vector2f q(std::clamp(c.x, low.x, low.x + 64), std::clamp(c.y, low.y, low.y + 64));
            sf::Vector2f d = q - c;
            if (d.x * d.x + d.y * d.y >= r2)
                continue;
            touched = true;
            // Only something heavy and fast, like a charging alien, breaks a wall by running into it.
            float ram = std::abs(along(velocity)) * mass - 180000.0f;
            if (ram > 0)
                damageTile(grid[static_cast<std::size_t>(x)][static_cast<std::size_t>(y)], ram, q);
            if (std::abs(across(q) - across(c)) < 1) {
                float start = along(low);
                along(c) = along(c) > start + 32 ? start + 64 + radius : start - radius;
                if (bounces) {
                    velocity *= 0.5f;
                    along(velocity) = -along(velocity);
                }
                continue;
            }
            float da = std::abs(along(q) - along(c)), dc = std::abs(across(q) - across(c));
            if (!corner || da < cornerAlong || (da == cornerAlong && dc < cornerAcross)) {
                corner = q;
                cornerAlong = da;
                cornerAcross = dc;
            }
        }
    if (corner) {
        sf::Vector2f out = c - *corner;
        float len = lengthOf(out);
        if (len < radius) {
            if (len > 0)
                c = *corner + out / len * radius;
            if (bounces) {
                velocity *= 0.5f;
                along(velocity) = -along(velocity);
            }
        }
    }
    position = c - collisionOffset;
    return touched;
}

void Mapentity::applyDamage(float amount, sf::Vector2f from) {
    if (std::isnan(amount))
        return;
    float dmg = damageAfterArmour(amount, armour);
    HP -= dmg;
    sf::Vector2f d = position - from;
    float len = lengthOf(d);
    // A hit from the entity's own centre has no direction to push in.
    if (len > 0 && mass > 0)
        velocity += dmg / (mass * 0.008f) * (d / len);
    dead = HP <= 0;
}

void Mapentity::takeDamage(float amount, sf::Vector2f from) {
    applyDamage(amount, from);
}

void Mapentity::takeHit(float amount, sf::Vector2f from, const HitSource&) {
    takeDamage(amount, from);
}
