#include "actors/Enemy.h"

#include "actors/AI_melee_alien.h"
#include "actors/AI_melee_human.h"
#include "actors/AI_ranged_alien.h"
#include "actors/HealthUp.h"
#include "core/Contenthandler.h"
#include "core/Globals.h"
#include "core/Settings.h"
#include "effects/Particlehandler.h"
#include "world/Map.h"
#include "world/Pathfinding.h"
#include "world/Score.h"

#include <SFML/Graphics/RenderWindow.hpp>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>

namespace {

// Particle types: rows of the particle sheet.
constexpr int sparks = 1;
constexpr int greenIchor = 8;

// Stun sparks come at the rate of ten per frame at sixty frames a second, so
// a fast machine does not bury a stunned enemy in sparks.
constexpr float sparkInterval = 1.0f / 60.0f;

// One channel of a pulsing tint: it moves between lo and hi at rate per
// second and turns round at either bound.
void pulse(float& value, int& direction, float lo, float hi, float rate, float dt) {
    value = std::clamp(value, lo, hi);
    value += static_cast<float>(direction) * rate * dt;
    if (value >= hi) {
        value = hi;
        direction = -1;
    } else if (value <= lo) {
        value = lo;
        direction = 1;
    }
}

sf::Uint8 channel(float v) {
    return static_cast<sf::Uint8>(std::clamp(v, 0.0f, 255.0f));
}

const char* kindName(int kind) {
    switch (kind) {
    case Enemy::rangedAlien:
        return "Ranged alien";
    case Enemy::meleeAlien:
        return "Melee alien";
    default:
        return "Human";
    }
}

} // namespace

EnemyStats Enemy::statsFor(int kind, int level, float sizeFactor) {
    const float L = static_cast<float>(level);
    auto clamp = [](float v, float hi) { return std::clamp(v, 0.0f, hi); };
    EnemyStats s;
    switch (kind) {
    case rangedAlien:
        s.maxHP = (5 * L + 50) * 4 * sizeFactor;
        s.damage = 4 * sizeFactor + L;
        s.speeds = {clamp(7.5f * L + 600, 720),
                    clamp(10 * L + 800, 920),
                    clamp(15 * L + 1100, 1400),
                    0,
                    clamp(10 * L + 800, 920),
                    0,
                    0};
        s.attackTime = std::clamp(4.0f - std::log(L * 0.5f), 0.5f, 4.1f);
        s.keepAwayDistance = 128;
        s.sightRange = 896;
        s.mass = 200;
        break;
    case meleeAlien:
        s.maxHP = (40 * L + 270) * sizeFactor;
        s.damage = 25 * sizeFactor + L;
        s.speeds = {clamp(5 * L + 400, 720),
                    clamp(7.5f * L + 600, 920),
                    clamp(15 * L + 900, 1400),
                    0,
                    clamp(7.5f * L + 600, 920),
                    0,
                    5500};
        s.attackTime = std::clamp(3.5f - std::log(L * 0.5f), 1.5f, 2.5f);
        s.keepAwayDistance = 0;
        s.sightRange = 832;
        s.radius = 48;
        s.mass = 200;
        break;
    default:
        s.maxHP = (L + 10) * 10 * sizeFactor;
        s.damage = (L + 10) * sizeFactor + L;
        s.speeds = {clamp(7.5f * L + 400, 900),
                    clamp(10 * L + 600, 1000),
                    clamp(15 * L + 800, 1500),
                    0,
                    clamp(10 * L + 600, 800),
                    0,
                    0};
        s.attackTime = 0;
        s.keepAwayDistance = 192;
        s.sightRange = 768;
        s.mass = 100;
        break;
    }
    // Fleeing is as fast as chasing.
    s.speeds[behaviour::fleeing] = s.speeds[behaviour::chasing];
    return s;
}

Enemy::Enemy(sf::Vector2f at, int kindOfEnemy, int tierOfEnemy)
    : kind(std::clamp(kindOfEnemy, 0, 2)), hpBar(1, sf::Color::Green, 3, sf::Color::Black, 1, sf::IntRect()) {
    Contenthandler* content = Contenthandler::getInstance();
    position = at;
    tier = tierOfEnemy < 0 ? std::rand() % 3 : std::min(tierOfEnemy, 2);
    tierIcon.setTexture(content->rankTexture);
    tierIcon.setTextureRect(sf::IntRect(32 * tier, 0, 32, 32));
    tierIcon.setScale(0.6f, 0.6f);
    sizeFactor = static_cast<float>(tier) * 0.5f + 0.9f;

    frameWidth = 64;
    frameHeight = 96;
    frameCount = 4;
    frameTime = frameTimer = previousFrameTimer = 0.03f;
    switch (kind) {
    case rangedAlien:
        sprite.setTexture(content->alienTextures.at(0));
        ai = std::make_unique<AI_ranged_alien>();
        break;
    case meleeAlien:
        frameWidth = 96;
        sprite.setTexture(content->alienTextures.at(1));
        ai = std::make_unique<AI_melee_alien>();
        break;
    default:
        sprite.setTexture(content->humanTextures.at(static_cast<std::size_t>(std::rand()) %
                                                    std::max<std::size_t>(content->humanTextures.size(), 1)));
        ai = std::make_unique<AI_melee_human>();
        break;
    }
    sprite.setTextureRect(sf::IntRect(0, 0, frameWidth, frameHeight));
    sprite.setOrigin(static_cast<float>(frameWidth) / 2, static_cast<float>(frameHeight) / 2);

    const EnemyStats stats = statsFor(kind, levelNumber, sizeFactor);
    MaxHP = HP = previousHP = stats.maxHP;
    damage = stats.damage;
    speeds = stats.speeds;
    keepAwayDistance = stats.keepAwayDistance;
    sightRange = stats.sightRange;
    radius = stats.radius;
    mass = stats.mass;
    attackTimer = Timer{stats.attackTime, true, stats.attackTime, stats.attackTime};
    path = {position};

    const int r = static_cast<int>(radius);
    hpBar = StatBar(std::trunc(MaxHP), sf::Color::Green, 3, sf::Color::Black, HP,
                    sf::IntRect(-r, -r, 2 * r - 1, static_cast<int>(std::floor(radius * 0.25f))));
    // Drawn under the fill, the frame's black shows the health already lost.
    hpBar.frame.setFillColor(sf::Color::Black);
    placeBarAndBadge();
}

Enemy::~Enemy() = default;

void Enemy::update(float dt) {
    // Killed earlier in this frame's walk (by a berserk neighbour), it waits
    // for the clean-up without acting again.
    if (dead)
        return;
    stunTimer.tick(dt);
    alertTimer.tick(dt);
    noticeTimer.tick(dt);
    attackTimer.tick(dt);
    if (bumpActive) {
        bumpPrevious = bumpTimer;
        bumpTimer -= dt;
        if (bumpTimer <= 0) {
            bumpCount = 0;
            bumpActive = false;
        }
    }
    pathTimer.tick(dt);
    slowTimer.tick(dt);

    acceleration = speeds[static_cast<std::size_t>(state)];
    Mapentity::update(dt);
    if (ai)
        ai->update(*this, dt);
    steer(dt);
    updateTints(dt);
    expireSlow();
    berserkTimer.tick(dt);
    previousHP = HP;

    hitGuard.tick(dt);
    if (hitGuard.crossedZero())
        hitGuard.stop();
    updatePoison(dt);
}

void Enemy::steer(float dt) {
    const sf::Vector2f to = nextWaypoint();
    if (to == position || stunTimer.running)
        return;
    const float a = std::atan2(to.y - position.y, to.x - position.x);
    velocity += sf::Vector2f(std::cos(a), std::sin(a)) * speeds[static_cast<std::size_t>(state)] * dt;
}

void Enemy::placeBarAndBadge() {
    hpBar.setPosition({position.x - (static_cast<float>(frameWidth) / 2 - 2),
                       position.y - (static_cast<float>(frameHeight) / 2 + 8)});
    tierIcon.setPosition(position.x - radius, position.y - 1.6f * radius);
}

void Enemy::updateTints(float dt) {
    const bool stunned = isStunned();
    const bool poweringUp = kind == meleeAlien && state == 5;
    const bool slowed = slowTimer.running && slowTimer.remaining > 0;
    const bool poisoned = poisonTimer.running;

    if (stunned) {
        // A stun ends the slow; the halved speeds come back with it rather
        // than being lost for good.
        if (slowTimer.running) {
            slowTimer.stop();
            restoreSpeeds();
        }
        sparkTime += dt;
        for (int n = 0; sparkTime >= sparkInterval && n < 3; ++n) {
            sparkTime -= sparkInterval;
            Particlehandler::getInstance()->burst(position, 0.15f, 90, sparks, 10, Particlehandler::air, 0.3f,
                                                  true);
        }
        sparkTime = std::min(sparkTime, sparkInterval);
    } else if (stunTimer.expired() && state != 5) {
        // A powering-up alien keeps the run-out stun until it charges.
        stunTimer.stop();
    }
    if (berserkTimer.expired()) {
        berserkTimer.stop();
        berserk = false;
    }
    if (poisonTimer.expired())
        poisonTimer.stop();

    // One tint shows at a time: the stun's flicker, then the charge's glow
    // (the player's warning of what comes next), berserk, poison and slow.
    if (stunned) {
        bool bright = static_cast<int>(stunTimer.remaining * 20) % 2 == 0;
        tint[0] = bright ? 255.0f : 110.0f;
        tint[1] = bright ? 255.0f : 190.0f;
        tint[2] = 255;
    } else if (poweringUp) {
        tint[0] = 255;
        pulse(tint[2], tintDirection[2], 0, 255, 1000, dt);
        tint[1] = tint[2] / 2 + 128;
    } else if (berserk && berserkTimer.running) {
        tint[0] = 255;
        pulse(tint[1], tintDirection[1], 0, 255, 1000, dt);
        tint[2] = tint[1];
    } else if (poisoned) {
        pulse(tint[0], tintDirection[0], 104, 255, 500, dt);
        pulse(tint[1], tintDirection[1], 34, 255, 700, dt);
        pulse(tint[2], tintDirection[2], 139, 255, 400, dt);
    } else if (slowed) {
        pulse(tint[0], tintDirection[0], 151, 255, 500, dt);
        tint[1] = tint[2] = tint[0];
    } else {
        tint[0] = tint[1] = tint[2] = 255;
    }
    sprite.setColor(sf::Color(channel(tint[0]), channel(tint[1]), channel(tint[2])));
}

void Enemy::expireSlow() {
    if (slowTimer.running && slowTimer.remaining <= 0) {
        slowTimer.stop();
        restoreSpeeds();
    }
}

void Enemy::restoreSpeeds() {
    for (std::size_t i = 0; i < 6; ++i)
        speeds[i] *= 2;
}

void Enemy::updatePoison(float dt) {
    poisonTimer.tick(dt);
    if (poisonTimer.crossedZero()) {
        poisonTimer.stop();
        poisonDamage = poisonAccumulator = 0;
        return;
    }
    if (!poisonTimer.running || poisonTimer.remaining <= 0 || !(poisonDamage > 0))
        return;
    poisonAccumulator += poisonDamage * dt;
    while (poisonAccumulator > poisonDamage && !dead) {
        poisonAccumulator -= poisonDamage;
        takeDamage(poisonDamage, {position.x, position.y + 2}, false, false);
        if (bloodEnabled)
            Particlehandler::getInstance()->burst(position, 0.6f, 40, greenIchor, 4, Particlehandler::ground,
                                                  0.25f, true);
        else
            Particlehandler::getInstance()->neutralSparks(position, 4, 40);
    }
}

void Enemy::draw() {
    // The tint goes through the shader alone: a sprite colour on top of it
    // would apply it twice and turn the pulsing tints nearly black.
    sf::Shader& shader = Contenthandler::getInstance()->grayScaleShader;
    shader.setUniform("tint", sf::Glsl::Vec4(sprite.getColor()));
    sf::Sprite body(sprite);
    body.setColor(sf::Color::White);
    body.setPosition(position);
    body.setRotation(rotation);
    sf::RenderWindow& window = gameWindow();
    window.draw(body, &shader);
    // Laid out here rather than in the world step: only the enemies in view need their bars.
    hpBar.setValue(HP);
    placeBarAndBadge();
    hpBar.drawPlain();
    window.draw(tierIcon);
}

void Enemy::takeDamage(float amount, sf::Vector2f from, bool burstA, bool burstB) {
    // A body waiting for the clean-up neither bleeds nor cries out again.
    if (dead)
        return;
    applyDamage(amount, from);
    Contenthandler* content = Contenthandler::getInstance();
    if (!dead) {
        playVoice(4, content->takeDamageBuffers[kind]);
        return;
    }
    Particlehandler* particles = Particlehandler::getInstance();
    if (burstB)
        particles->deathBurstExplosive(position, 5.0f);
    else if (burstA)
        particles->deathBurstAlternative(position, 20, 6.0f);
    else
        particles->deathBurst(position, 12, 6.0f);
    if (kind == meleeAlien && state >= 5) {
        stopVoice(4, content->meleeAlienPowerupBuffer);
        stopVoice(5, content->meleeAlienChargeBuffer);
    }
    playVoice(4, content->dieBuffers[kind]);
}

void Enemy::startHitGuard() {
    if (!(hitGuard.running && hitGuard.remaining > 0))
        hitGuard.start();
}

void Enemy::setState(int s) {
    state = std::clamp(s, 0, 6);
}

void Enemy::setDestination(sf::Vector2f point) {
    if (state >= 5 || seesPlayer) {
        path = {point};
        return;
    }
    if (point == position) {
        path = {position};
        return;
    }
    // Path searches are the dear part of a frame: one per enemy per 3 s.
    if (pathTimer.running && pathTimer.remaining > 0)
        return;
    const int size = static_cast<int>(radius);
    path = Pathfinding::getInstance()->findPath(position, point, {size, size});
    if (path.empty())
        path = {position};
    pathTimer.start();
}

void Enemy::slow() {
    if (!slowTimer.running)
        for (std::size_t i = 0; i < 6; ++i)
            speeds[i] *= 0.5f;
    slowTimer.start();
}

void Enemy::makeBerserk() {
    if (!berserk)
        path = {position};
    berserk = true;
    berserkTimer.start();
}

void Enemy::poison(float damagePerTick) {
    poisonTimer.start();
    poisonDamage = damagePerTick;
}

void Enemy::stun() {
    stunTimer.start();
}

void Enemy::leaveDead(Map& map) {
    if (kind != human && std::rand() % 100 + 1 > 50)
        map.pickups.push_back(std::make_unique<HealthUp>(position));
    const int bonusBefore = alienKillBonus;
    tallyKill(kind, sizeFactor);
    // A dead human is one fewer to save: its share of the human score is gone.
    LevelEvent notice{LevelEvent::Kind::killNotice, 0, 0, {}, {}, lastHit, kind};
    if (kind == human) {
        notice.text = "-" + std::to_string(static_cast<int>(sizeFactor * 100.0f)) + " " + kindName(kind);
        notice.colour = sf::Color(255, 90, 90);
    } else {
        notice.text = "+" + std::to_string(alienKillBonus - bonusBefore) + " " + kindName(kind);
        notice.colour = sf::Color(255, 215, 0);
    }
    map.events.push_back(std::move(notice));
}

void Enemy::takeHit(float amount, sf::Vector2f from, const HitSource& source) {
    if (!dead)
        lastHit = source;
    takeDamage(amount, from, false, false);
}

void hurtActor(Mapentity& actor, float amount, sf::Vector2f from, bool burstA, bool burstB,
               const HitSource& source) {
    if (auto* enemy = dynamic_cast<Enemy*>(&actor)) {
        if (!enemy->dead)
            enemy->lastHit = source;
        enemy->takeDamage(amount, from, burstA, burstB);
    } else {
        actor.takeHit(amount, from, source);
    }
}

void playVoice(int pool, const sf::SoundBuffer& buffer) {
    if (pool < 0 || pool >= 7)
        return;
    for (sf::Sound& voice : Contenthandler::getInstance()->voicePools[pool])
        if (voice.getStatus() != sf::Sound::Playing) {
            voice.setBuffer(buffer);
            voice.play();
            return;
        }
}

void stopVoice(int pool, const sf::SoundBuffer& buffer) {
    if (pool < 0 || pool >= 7)
        return;
    for (sf::Sound& voice : Contenthandler::getInstance()->voicePools[pool])
        if (voice.getBuffer() == &buffer)
            voice.stop();
}
