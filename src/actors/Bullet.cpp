#include "actors/Bullet.h"

#include "actors/Player.h"
#include "core/Contenthandler.h"
#include "core/Globals.h"
#include "world/EntityIndex.h"
#include "world/Map.h"
#include "world/Maphandler.h"

#include <algorithm>
#include <cmath>

namespace {

bool overlaps(const Mapentity& a, const Mapentity& b) {
    sf::Vector2f d = a.position - b.position;
    float reach = a.radius + b.radius;
    return d.x * d.x + d.y * d.y <= reach * reach * 1.02f;
}

// A berserk alien's bullet spares the shooter until it is this far out.
constexpr float muzzleClearance = 60.0f;

// Only ranged aliens fire these.
const HitSource bolt{HitSource::By::rangedAlien, HitSource::With::plasmaBolt};

} // namespace

float Bullet::speedAt(int level) {
    return static_cast<float>(std::clamp(25 * level + 380, 0, 1100));
}

float Bullet::damageAt(int level) {
    return static_cast<float>(std::clamp(5 * level + 10, 4, 50));
}

Bullet::Bullet(const sf::Vector2f& aimPoint, const sf::Vector2f& from, bool fromBerserk)
    : berserkFired(fromBerserk), launchPoint(from) {
    position = from;
    friction = 0;
    radius = 14;
    acceleration = speedAt(levelNumber);
    damage = damageAt(levelNumber);
    heading = std::atan2(aimPoint.y - from.y, aimPoint.x - from.x);
    if (std::isnan(heading))
        heading = 0;
    animated = false;
    frame = firstFrame = 1;
    sprite.setTexture(Contenthandler::getInstance()->bulletTextures.at(0));
    sprite.setTextureRect(sf::IntRect(64, 0, 64, 64));
    sprite.setOrigin(32, 32);
    // A berserk alien's shots glow red, so the player sees they hit aliens too.
    sprite.setColor(berserkFired ? sf::Color(255, 90, 60) : sf::Color::White);
    rotation = heading * 57.29578f;
}

void Bullet::update(float dt) {
    velocity = sf::Vector2f(std::cos(heading), std::sin(heading)) * acceleration;
    position += velocity * dt;
    rotation += angularVelocity * dt;

    Map* map = Maphandler::getInstance()->currentMap();
    if (!map)
        return;
    if (map->propIndex.covers(map->furniture))
        hitIndexedProps(map->furniture, map->propIndex);
    else
        collideWithProps(map->furniture, dt);
    // Twice over the grid: a wall the bullet touches takes its damage twice
    // in the frame it lands, which is what makes alien fire chew through cover.
    hitWalls(map->walls);
    hitWalls(map->walls);
    Player* player = Player::getInstance();
    if (overlaps(*this, *player)) {
        player->takeHit(damage, position, bolt);
        dead = true;
    }
    if (berserkFired)
        hitEnemies(map->enemies);
    // Nothing is left to hit outside the map: without this a miss would fly on for ever.
    float width = static_cast<float>(64 * map->columns()), height = static_cast<float>(64 * map->rows());
    if (!(position.x >= 0 && position.y >= 0 && position.x <= width && position.y <= height))
        dead = true;
}

void Bullet::collideWithProps(List& list, float) {
    for (std::size_t i = 0; i < list.size(); ++i)
        if (overlaps(*this, *list[i])) {
            list[i]->takeHit(damage, position, bolt);
            dead = true;
        }
}

void Bullet::hitIndexedProps(List& list, const EntityIndex& index) {
    // A bullet does not move as it hits, so one look-up finds every prop the
    // walk above would. The list is kept: every bullet asks every frame.
    static std::vector<std::size_t> near;
    index.near(position, radius, 0, near);
    for (std::size_t i : near)
        if (overlaps(*this, *list[i])) {
            list[i]->takeHit(damage, position, bolt);
            dead = true;
        }
}

void Bullet::hitWalls(Grid& grid) {
    int nx = static_cast<int>(grid.size());
    int ny = nx > 0 ? static_cast<int>(grid[0].size()) : 0;
    if (nx == 0 || ny == 0 || !std::isfinite(position.x) || !std::isfinite(position.y))
        return;
    auto cell = [](float v, int count) {
        return std::clamp(static_cast<int>(std::floor(v / 64)), 0, count - 1);
    };
    int x0 = cell(position.x - radius, nx), x1 = cell(position.x + radius, nx);
    int y0 = cell(position.y - radius, ny), y1 = cell(position.y + radius, ny);
    for (int x = x0; x <= x1; ++x)
        for (int y = y0; y <= y1; ++y) {
            Tile& tile = grid[static_cast<std::size_t>(x)][static_cast<std::size_t>(y)];
            if (tile.kind == 0)
                continue;
            float lx = static_cast<float>(64 * x), ly = static_cast<float>(64 * y);
            sf::Vector2f q(std::clamp(position.x, lx, lx + 64), std::clamp(position.y, ly, ly + 64));
            sf::Vector2f d = q - position;
            if (d.x * d.x + d.y * d.y < radius * radius) {
                damageTile(tile, damage, q);
                dead = true;
            }
        }
}

void Bullet::hitEnemies(List& list) {
    sf::Vector2f out = position - launchPoint;
    if (out.x * out.x + out.y * out.y <= muzzleClearance * muzzleClearance)
        return;
    for (std::size_t i = 0; i < list.size(); ++i)
        if (!list[i]->dead && overlaps(*this, *list[i])) {
            list[i]->takeHit(damage, position, bolt);
            dead = true;
        }
}
