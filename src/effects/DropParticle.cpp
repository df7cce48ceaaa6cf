#include "effects/DropParticle.h"

#include "core/Contenthandler.h"
#include "world/Map.h"
#include "world/Maphandler.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

float randomScaleSpeed() {
    return static_cast<float>(std::rand() % 401 + 200) * 0.01f;
}

float groundSpeed(sf::Vector2f v) {
    return std::sqrt(v.x * v.x + v.y * v.y);
}

// A random share of a magnitude, for the bounce; kept within an int's reach.
float randomShare(float magnitude) {
    if (!(magnitude > 0))
        return 0;
    int whole = static_cast<int>(std::clamp(magnitude, 0.0f, 100000.0f));
    return static_cast<float>(std::rand() % (whole + 1)) * 0.00035714285f;
}

} // namespace

DropParticle::DropParticle(sf::Vector2f position, sf::Vector2f v, float airTime, int particleType,
                           float lifetime)
    : Particle(position, v, lifetime, particleType, static_cast<float>(std::rand() % 1201 - 600)) {
    fades = false;
    tumble = spin;
    airTimer.duration = airTime;
    airTimer.start();
    scaleSpeed = -randomScaleSpeed();
}

bool DropParticle::hitsWall(bool vertical, Grid& grid) {
    const sf::Vector2f c = sprite.getPosition();
    const float reach = 16;
    const int nx = static_cast<int>(grid.size());
    const int ny = nx > 0 ? static_cast<int>(grid[0].size()) : 0;
    const int x0 = std::max(static_cast<int>(std::floor((c.x - reach) / 64)), 0);
    const int x1 = std::min(static_cast<int>(std::floor((c.x + reach) / 64)), nx - 1);
    const int y0 = std::max(static_cast<int>(std::floor((c.y - reach) / 64)), 0);
    const int y1 = std::min(static_cast<int>(std::floor((c.y + reach) / 64)), ny - 1);
    for (int x = x0; x <= x1; ++x)
        for (int y = y0; y <= y1; ++y) {
            if (grid[static_cast<std::size_t>(x)][static_cast<std::size_t>(y)].kind == 0)
                continue;
            const float left = static_cast<float>(x) * 64, top = static_cast<float>(y) * 64;
            const float qx = std::clamp(c.x, left, left + 64), qy = std::clamp(c.y, top, top + 64);
            if ((qx - c.x) * (qx - c.x) + (qy - c.y) * (qy - c.y) >= reach * reach)
                continue;
            // Only the axis along which the particle came in is turned back.
            if (vertical && velocity.y != 0 && c.x >= left && c.x <= left + 64) {
                sprite.setPosition(c.x, velocity.y > 0 ? top - reach : top + 64 + reach);
                velocity.y *= -0.6f;
                return true;
            }
            if (!vertical && velocity.x != 0 && c.y >= top && c.y <= top + 64) {
                sprite.setPosition(velocity.x > 0 ? left - reach : left + 64 + reach, c.y);
                velocity.x *= -0.6f;
                return true;
            }
        }
    return false;
}

bool DropParticle::touchesWall(Grid& grid) {
    bool vertical = hitsWall(true, grid);
    bool horizontal = hitsWall(false, grid);
    return vertical || horizontal;
}

void DropParticle::update(float dt) {
    if (Map* map = Maphandler::getInstance()->currentMap())
        touchesWall(map->walls);
    Particle::update(dt);
    if (airTimer.running)
        airTimer.remaining -= static_cast<float>(std::rand() % 26 + 15) * dt * 0.1f;
    scale += scaleSpeed * dt;
    if ((scale <= 0.4f && scaleSpeed < 0) || (scale > 1.0f && scaleSpeed > 0))
        scaleSpeed = -scaleSpeed;
    scale = std::clamp(scale, 0.4f, 1.0f);
    if (airTimer.remaining <= 0 && bounceStrength > 0.1f)
        land();
    if (bounceStrength <= 0.1f)
        rest();
    sprite.setScale(baseScale * scale);
}

void DropParticle::land() {
    const float speed = groundSpeed(velocity);
    if (speed < 3) {
        bounceStrength = 0;
        rest();
        return;
    }
    const float spinShare = randomShare(std::abs(tumble));
    const float speedShare = randomShare(speed);
    const float next = (0.4f * bounceStrength + 0.2f * spinShare + 0.2f * speedShare) * 0.9f;
    bounceStrength = std::min(next, 0.9f * bounceStrength);
    airTimer.duration = bounceStrength;
    airTimer.start();
    tumble *= 0.3f * 0.7f;
    spin = tumble;
    velocity *= 0.8f;
    // Some of the motion goes into the spin.
    const float slowed = std::max(groundSpeed(velocity) - std::abs(tumble) * 0.3f, 0.0f);
    const float now = groundSpeed(velocity);
    if (now > 0)
        velocity *= slowed / now;
    scaleSpeed = -randomScaleSpeed();
    sf::Sound& click = Contenthandler::getInstance()->shellFallsSound;
    click.setPitch(1 + static_cast<float>(std::rand() % 201 - 100) * 0.001f);
    click.play();
}

void DropParticle::rest() {
    scale = 1;
    scaleSpeed = 0;
    spin = tumble = 0;
    velocity = {0, 0};
}
