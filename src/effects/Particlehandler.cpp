#include "effects/Particlehandler.h"

#include "core/Contenthandler.h"
#include "core/Globals.h"
#include "core/Settings.h"
#include "effects/AnimatedParticle.h"
#include "effects/DropParticle.h"
#include "effects/textParticle.h"

#include <SFML/Graphics/RenderWindow.hpp>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <iostream>

namespace {

// Particle types: the rows of the particle sheet.
constexpr int lightDot = 0, sparkFlecks = 1, bloodDrops = 2, smokePuffs = 3, chips = 4, bloodSplats = 7,
              muzzleFire = 9, embers = 10, plasma = 13, woodSplinters = 15, gunSmoke = 32;

float randomFactor(int from, int to) {
    return static_cast<float>(std::rand() % (to - from + 1) + from) * 0.01f;
}

sf::Vector2f heading(float angle) {
    return {std::cos(angle), std::sin(angle)};
}

} // namespace

Particlehandler::Particlehandler() {
    std::cout << "Particlehandler's constructor was called" << std::endl;
}

Particlehandler::~Particlehandler() {
    std::cout << "Particlehandler's destructor was called" << std::endl;
}

const Particlehandler::Layer& Particlehandler::layer(int index) const {
    return layers[std::clamp(index, 0, 2)];
}

std::size_t Particlehandler::count() const {
    return layers[0].size() + layers[1].size() + layers[2].size();
}

Particle& Particlehandler::add(std::unique_ptr<Particle> particle, int index) {
    Layer& list = layers[std::clamp(index, 0, 2)];
    list.push_back(std::move(particle));
    return *list.back();
}

void Particlehandler::update(float dt) {
    updating = true;
    for (Layer& list : layers)
        for (std::size_t i = list.size(); i-- > 0;) {
            if (list[i]->dead)
                list.erase(list.begin() + static_cast<std::ptrdiff_t>(i));
            else
                list[i]->update(dt);
        }
    updating = false;
    if (clearRequested)
        clear();
}

void Particlehandler::clear() {
    // Deleting the particle whose update asked for it would pull the floor from under that update.
    clearRequested = updating;
    if (updating)
        return;
    for (Layer& list : layers)
        list.clear();
}

void Particlehandler::draw(int index) {
    // A run of particles on one texture goes out as one draw, in the order
    // they were added, so overlapping ones blend as they did one by one: a
    // draw apart cost the renderer far more than its few pixels.
    sf::RenderWindow& window = gameWindow();
    sf::Shader& shader = Contenthandler::getInstance()->grayScaleShader;
    const sf::Texture* texture = nullptr;
    auto layRun = [&] {
        if (run.empty())
            return;
        shader.setUniform("vertexTint", 1.0f);
        window.draw(run.data(), run.size(), sf::Triangles,
                    sf::RenderStates(sf::BlendAlpha, sf::Transform::Identity, texture, &shader));
        shader.setUniform("vertexTint", 0.0f);
        run.clear();
    };
    for (auto& particle : layers[std::clamp(index, 0, 2)]) {
        if (!particle->drawsSprite() || !drawsInRuns) {
            layRun();
            particle->draw();
            continue;
        }
        if (particle->sprite.getTexture() != texture) {
            layRun();
            texture = particle->sprite.getTexture();
        }
        particle->appendCorners(run);
    }
    layRun();
}

void Particlehandler::burst(sf::Vector2f position, float lifetime, float speed, int type, int count,
                            int index, float scale, bool drag) {
    for (int i = 0; i < count; ++i) {
        float direction = static_cast<float>(std::rand() % 2001 - 1000) * 0.3184713f;
        float factor = randomFactor(25, 250);
        auto p = std::make_unique<Particle>(position, heading(direction) * speed * factor, lifetime, type,
                                            10 * direction);
        p->setScale({scale, scale});
        p->drag = drag;
        add(std::move(p), index);
    }
}

void Particlehandler::directedBurst(float angle, sf::Vector2f position, float speed, float lifetime, int type,
                                    int count, int index, float scale, bool drag) {
    for (int i = 0; i < count; ++i) {
        float jitter = static_cast<float>(std::rand() % 401 - 200) * 0.001f;
        float direction = angle + (0.4f * static_cast<float>(i % 2) - 0.2f) + jitter;
        float factor = randomFactor(50, 150);
        float life = lifetime * randomFactor(25, 250);
        auto p = std::make_unique<Particle>(position, heading(direction) * speed * factor, life, type,
                                            10 * jitter);
        p->setScale({scale, scale});
        p->drag = drag;
        add(std::move(p), index);
    }
}

void Particlehandler::trail(sf::Vector2f position, float lifetime, float size) {
    auto p = std::make_unique<Particle>(position, sf::Vector2f(0, 0), lifetime, smokePuffs, 0);
    p->setScale({size, size});
    p->shrinks = true;
    p->sprite.setColor(sf::Color(200, 200, 200));
    add(std::move(p), air);
}

void Particlehandler::muzzleFlash(sf::Vector2f position) {
    auto flare = std::make_unique<Particle>(position, sf::Vector2f(0, 0), 0.08f, lightDot, 0);
    flare->setScale({2.5f, 2.5f});
    flare->sprite.setColor(sf::Color(140, 255, 190));
    add(std::move(flare), glow);
    burst(position, 0.15f, 60, plasma, 3, glow, 0.4f, true);
}

void Particlehandler::muzzleFlash(sf::Vector2f position, float angle, float size) {
    auto fire = std::make_unique<Particle>(position, sf::Vector2f(0, 0), 0.05f, muzzleFire, 0);
    fire->setScale({size, size});
    fire->sprite.setRotation(angle * 57.29578f);
    fire->shrinks = true;
    add(std::move(fire), glow);
    auto halo = std::make_unique<Particle>(position, sf::Vector2f(0, 0), 0.07f, lightDot, 0);
    halo->setScale({size * 3, size * 3});
    halo->sprite.setColor(sf::Color(255, 210, 140));
    add(std::move(halo), glow);
}

void Particlehandler::smoke(sf::Vector2f position, float lifetime, float speed) {
    float direction = static_cast<float>(std::rand() % 628) * 0.01f;
    auto p = std::make_unique<Particle>(position, heading(direction) * speed * randomFactor(25, 100),
                                        lifetime, gunSmoke, static_cast<float>(std::rand() % 121 - 60));
    p->drag = true;
    p->sprite.setColor(sf::Color(210, 210, 210, 160));
    add(std::move(p), air);
}

void Particlehandler::explosion(sf::Vector2f position, float strength, float radius) {
    const float scale = std::max(radius, 0.0f) / 64;
    auto flash = std::make_unique<Particle>(position, sf::Vector2f(0, 0), 0.45f, lightDot, 0);
    flash->sprite.setTexture(Contenthandler::getInstance()->flashTexture, true);
    flash->sprite.setOrigin(64, 64);
    flash->setScale({scale * 1.6f, scale * 1.6f});
    // A fiery orange rather than white, so the blast glows instead of washing the screen out.
    flash->sprite.setColor(
        sf::Color(255, 150, 60, static_cast<sf::Uint8>(std::clamp(strength, 0.0f, 1.0f) * 255)));
    add(std::move(flash), glow);
    // Sixteen frames of 0.05 s; the blast is gone just before the row would start over.
    auto blast = std::make_unique<AnimatedParticle>(position, Contenthandler::getInstance()->explosionTexture,
                                                    128, 128, 0, 16, 0.05f, 0.78f);
    blast->fades = false;
    blast->setScale({scale, scale});
    blast->sprite.setRotation(static_cast<float>(std::rand() % 360));
    add(std::move(blast), glow);
    int pieces = std::clamp(static_cast<int>(radius / 8), 4, 60);
    burst(position, 0.9f, radius * 0.8f, embers, pieces, glow, 0.5f, true);
    const std::size_t firstPuff = layers[air].size();
    burst(position, 1.6f, radius * 0.3f, smokePuffs, pieces / 3, air, 1.2f, true);
    // Soot, not fog: the smoke of a blast is dark and warm.
    for (std::size_t i = firstPuff; i < layers[air].size(); ++i)
        layers[air][i]->sprite.setColor(sf::Color(96, 88, 82, 220));
}

void Particlehandler::impact(float angle, sf::Vector2f position, int count, float size, float speed) {
    // Callers pass the slow drift of a bullet's dust; the chips themselves fly ten times as fast.
    directedBurst(angle, position, speed * 10, 0.35f, chips, count, air, size * 0.5f, true);
    directedBurst(angle, position, speed * 15, 0.12f, sparkFlecks, 2, glow, 0.4f, true);
    // A puff of dust and a brief spark of light mark the hit even in the dark.
    auto dust = std::make_unique<Particle>(position, heading(angle) * speed, 0.5f, smokePuffs, 0);
    dust->setScale({size * 0.9f, size * 0.9f});
    dust->sprite.setColor(sf::Color(190, 180, 165, 200));
    add(std::move(dust), air);
    auto spark = std::make_unique<Particle>(position, sf::Vector2f(0, 0), 0.06f, lightDot, 0);
    spark->setScale({size * 1.4f, size * 1.4f});
    spark->sprite.setColor(sf::Color(255, 214, 150));
    add(std::move(spark), glow);
}

void Particlehandler::splinters(float angle, sf::Vector2f position, int count, float size, float speed) {
    directedBurst(angle, position, speed * 10, 0.4f, woodSplinters, count, air, size * 0.35f, true);
}

void Particlehandler::sparks(float angle, sf::Vector2f position, int count, float size) {
    const std::size_t first = layers[glow].size();
    directedBurst(angle, position, 260, 0.18f, sparkFlecks, count, glow, size, true);
    for (std::size_t i = first; i < layers[glow].size(); ++i)
        layers[glow][i]->sprite.setColor(sf::Color(170, 225, 255));
}

void Particlehandler::largeBurst(sf::Vector2f position, float size) {
    explosion(position, 1.0f, size);
    burst(position, 1.4f, size * 1.5f, plasma, 40, glow, 0.9f, true);
    burst(position, 0.8f, size * 2.0f, sparkFlecks, 60, glow, 0.6f, true);
    burst(position, 2.5f, size, chips, 30, ground, 1.0f, true);
}

void Particlehandler::wallDebris(sf::Vector2f position, int count, float speed) {
    burst(position, 1.5f, speed * 3, chips, count, ground, 0.7f, true);
    burst(position, 1.8f, speed, smokePuffs, std::max(count / 3, 1), air, 1.5f, true);
}

void Particlehandler::bleed(float angle, sf::Vector2f position, int count) {
    if (!bloodEnabled) {
        const std::size_t first = layers[air].size();
        directedBurst(angle, position, 300, 0.2f, sparkFlecks, count, air, 0.3f, true);
        greyFrom(air, first);
        return;
    }
    directedBurst(angle, position, 300, 0.3f, bloodDrops, count, air, 0.2f, true);
}

void Particlehandler::neutralSparks(sf::Vector2f position, int count, float speed) {
    const std::size_t first = layers[air].size();
    burst(position, 0.4f, speed, sparkFlecks, count, air, 0.4f, true);
    greyFrom(air, first);
}

void Particlehandler::greyFrom(int index, std::size_t first) {
    // A pale grey reads as a hit without looking like blood or like the taser's blue.
    Layer& list = layers[index];
    for (std::size_t i = first; i < list.size(); ++i)
        list[i]->sprite.setColor(sf::Color(215, 215, 205));
}

void Particlehandler::deathBurst(sf::Vector2f position, int count, float size) {
    if (!bloodEnabled)
        return neutralSparks(position, count, size * 40);
    burst(position, 4.0f, size * 15, bloodSplats, count / 2, ground, size * 0.12f, true);
    burst(position, 0.8f, size * 50, bloodDrops, count, air, 0.3f, true);
}

void Particlehandler::deathBurstAlternative(sf::Vector2f position, int count, float size) {
    if (!bloodEnabled)
        return neutralSparks(position, count * 2, size * 50);
    // A blade leaves a wider pool and a heavier spray.
    burst(position, 5.0f, size * 20, bloodSplats, count, ground, size * 0.15f, true);
    burst(position, 1.0f, size * 70, bloodDrops, count * 2, air, 0.35f, true);
}

void Particlehandler::deathBurstExplosive(sf::Vector2f position, float size) {
    if (!bloodEnabled)
        return neutralSparks(position, 30, size * 80);
    burst(position, 4.0f, size * 60, bloodSplats, 14, ground, size * 0.12f, true);
    burst(position, 1.2f, size * 90, bloodDrops, 30, air, 0.35f, true);
    burst(position, 0.9f, size * 40, embers, 10, glow, 0.4f, true);
}

void Particlehandler::text(sf::Vector2f position, float size, const std::string& string,
                           sf::Vector2f velocity) {
    add(std::make_unique<textParticle>(position, size, string, velocity, textLifetime), glow);
}

void Particlehandler::casing(sf::Vector2f position, sf::Vector2f velocity, float lifetime, int type) {
    auto p = std::make_unique<DropParticle>(position, velocity, lifetime, type, casingLifetime);
    p->setScale({0.7f, 0.7f});
    p->fades = true;
    add(std::move(p), ground);
}
