#include "actors/Tazer.h"

#include "actors/Enemy.h"
#include "actors/Player.h"
#include "core/Camera.h"
#include "core/Contenthandler.h"
#include "core/InputState.h"
#include "effects/Particlehandler.h"
#include "world/Map.h"
#include "world/Mapentity.h"
#include "world/Maphandler.h"

#include <algorithm>
#include <cmath>

namespace {

// Sparks in each burst of the beam's crackle.
constexpr int sparkCount = 8;

float length(sf::Vector2f v) {
    return std::sqrt(v.x * v.x + v.y * v.y);
}

// The point of the stretch a-b nearest to centre.
sf::Vector2f closestOnStretch(sf::Vector2f a, sf::Vector2f b, sf::Vector2f centre) {
    sf::Vector2f ab = b - a;
    float lengthSquared = ab.x * ab.x + ab.y * ab.y;
    float t = 0;
    if (lengthSquared > 0)
        t = std::clamp(((centre.x - a.x) * ab.x + (centre.y - a.y) * ab.y) / lengthSquared, 0.0f, 1.0f);
    return a + ab * t;
}

// Whether the stretch a-b comes within radius of centre.
bool touches(sf::Vector2f a, sf::Vector2f b, sf::Vector2f centre, float radius) {
    return length(closestOnStretch(a, b, centre) - centre) <= radius;
}

// A straight line of the given width and colour that fades from the map.
Tracer beamLine(sf::Vector2f from, sf::Vector2f to, float width, sf::Color colour) {
    Tracer tracer;
    tracer.shape.setFillColor(colour);
    tracer.shape.setOutlineColor(sf::Color(colour.r, colour.g, colour.b, 0));
    tracer.shape.setQuad(lineQuad(from, to, width, true), 0);
    tracer.rate = 900;
    return tracer;
}

// Whether a point lies on a solid wall tile or outside the map.
bool blocked(const Map& map, sf::Vector2f p) {
    if (p.x < 0 || p.y < 0 || !std::isfinite(p.x) || !std::isfinite(p.y))
        return true;
    int x = static_cast<int>(p.x / 64), y = static_cast<int>(p.y / 64);
    return x >= map.columns() || y >= map.rows() || map.isSolid(x, y);
}

} // namespace

Tazer::Tazer() {
    name = basename = "Taser";
    rechargeSound.setBuffer(Contenthandler::getInstance()->eshockReloadBuffer);
}

float Tazer::flightSpeed(int grapple) const {
    return static_cast<float>(beamSpeed) * (static_cast<float>(grapple) * 0.1f + 1.0f);
}

void Tazer::pull(sf::Vector2f start, sf::Vector2f target) {
    if (active) {
        active = false;
        return;
    }
    if (rechargeTimer.remaining > 0)
        return;
    rechargeTimer.start();
    active = true;
    beamStart = beamTip[0] = beamTip[1] = start;
    beamTarget = target;
    Contenthandler::getInstance()->eshockUseSound.play();
}

void Tazer::advance(float dt, int grapple) {
    float a = std::atan2(beamTarget.y - beamStart.y, beamTarget.x - beamStart.x);
    beamTip[1] = beamTip[0];
    beamTip[0] += sf::Vector2f(std::cos(a), std::sin(a)) * flightSpeed(grapple) * dt;
}

void Tazer::strike(Map& map) {
    const sf::Vector2f from = beamTip[1], to = beamTip[0];
    const float back = std::atan2(from.y - to.y, from.x - to.x);
    Particlehandler* particles = Particlehandler::getInstance();
    for (auto& enemy : map.enemies)
        if (!enemy->dead && touches(from, to, enemy->position, enemy->radius)) {
            particles->sparks(back, closestOnStretch(from, to, enemy->position), sparkCount, 0.5f);
            if (auto* struck = dynamic_cast<Enemy*>(enemy.get()))
                struck->stun();
            active = false;
            return;
        }
    map.tracers.push_back(beamLine(from, to, 5, sf::Color(56, 176, 222)));
    map.tracers.push_back(beamLine(from, to, 2, sf::Color(248, 248, 255)));
    // Steps of a few pixels cannot jump a 64-pixel tile, even at a wall's corner.
    const float l = length(to - from);
    const int steps = std::max(1, static_cast<int>(std::ceil(l / 4)));
    for (int i = 0; i <= steps; ++i) {
        sf::Vector2f at = from + (to - from) * (static_cast<float>(i) / static_cast<float>(steps));
        if (blocked(map, at)) {
            particles->sparks(back, at, sparkCount, 0.5f);
            active = false;
            return;
        }
    }
    for (auto& projectile : map.bullets)
        if (!projectile->dead && touches(from, to, projectile->position, projectile->radius)) {
            projectile->dead = true;
            particles->sparks(back + 1.5707964f, projectile->position, sparkCount, 0.5f);
            particles->sparks(back - 1.5707964f, projectile->position, sparkCount, 0.5f);
            active = false;
            return;
        }
}

void Tazer::recharge(float dt, int grapple) {
    if (!rechargeTimer.running)
        return;
    rechargeTimer.previous = rechargeTimer.remaining;
    rechargeTimer.remaining -= rechargeRate * (static_cast<float>(grapple) * dt * 0.2f + dt) * 0.33333334f;
}

void Tazer::paceRechargeSound(float dt) {
    sinceWhine += dt;
    if (rechargeTimer.remaining <= 0.01f)
        return;
    float f = std::min(1.0f, 1.0f - rechargeTimer.remaining / rechargeTimer.duration);
    // The gap shrinks from most of a second to back-to-back whines.
    float whine = rechargeSound.getBuffer() ? rechargeSound.getBuffer()->getDuration().asSeconds() : 0.0f;
    if (sinceWhine >= std::max((1 - f) - 0.1f, whine)) {
        rechargeSound.play();
        sinceWhine = 0;
    }
}

void Tazer::update(float dt, int grapple) {
    const InputState* input = InputState::getInstance();
    if (input->actionPressed(Action::Taser)) {
        const Player* player = Player::getInstance();
        float r = player->rotation * 3.14159265f / 180.0f;
        sf::Vector2f hand(std::cos(r) * 7, std::sin(r) * 7);
        const sf::View& view = Camera::getInstance()->view;
        sf::Vector2f pointer = view.getCenter() - view.getSize() / 2.0f + sf::Vector2f(input->mouse);
        pull(player->position + hand, pointer + hand);
    }
    advance(dt, grapple);
    if (active)
        if (Map* map = Maphandler::getInstance()->currentMap())
            strike(*map);
    recharge(dt, grapple);
    paceRechargeSound(dt);
}
