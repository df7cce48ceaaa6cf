#include "effects/Particle.h"

#include "core/Contenthandler.h"
#include "core/Settings.h"

#include <SFML/Graphics/RenderWindow.hpp>

#include <algorithm>
#include <cmath>
#include <cstdlib>

Particle::Particle(sf::Vector2f position, sf::Vector2f v, float lifetime, int particleType, float spinRate)
    : velocity(v), type(particleType), spin(spinRate) {
    sprite.setTexture(Contenthandler::getInstance()->particleTexture);
    int column = 0;
    int row = type;
    if (type != 0 && type != 6)
        column = std::rand() % 4;
    if (type == 32)
        row = 3;
    sprite.setTextureRect(sf::IntRect(column * cellSize, row * cellSize, cellSize, cellSize));
    sprite.setOrigin(cellSize / 2.0f, cellSize / 2.0f);
    sprite.setPosition(position);
    if (type == 1)
        setScale({0.6f, 0.6f});
    else if (type == 3)
        setScale({2, 2});
    else if (type == 11) {
        setScale({0.8f, 0.8f});
        sprite.setColor(sf::Color(150, 130, 182));
    } else if (type == 32)
        setScale({0.8f, 0.8f});
    life.duration = lifetime;
    life.start();
}

void Particle::setScale(sf::Vector2f scale) {
    baseScale = scale;
    sprite.setScale(scale);
}

float Particle::lifeSpent() const {
    // A particle born without a life has spent all of it.
    if (life.duration <= 0)
        return 1;
    return std::clamp(1 - life.remaining / life.duration, 0.0f, 1.0f);
}

void Particle::update(float dt) {
    life.tick(dt);
    dead = life.remaining <= 0;
    if (drag)
        velocity -= velocity * 2.0f * dt;
    float f = lifeSpent();
    if (shrinks)
        sprite.setScale(baseScale * (1 - f));
    if (fades) {
        sf::Color c = sprite.getColor();
        c.a = static_cast<sf::Uint8>(std::trunc((1 - f) * 255));
        sprite.setColor(c);
    }
    sprite.move(velocity * dt);
    sprite.rotate(spin * dt);
    if (type == 6)
        flutter(f);
}

void Particle::flutter(float f) {
    float rotation = sprite.getRotation();
    if (rotation >= 90 && spin > 0) {
        sprite.setRotation(90);
        velocity = {0, 0};
        spin = 0;
        return;
    }
    if (rotation <= 270 && spin < 0) {
        sprite.setRotation(270);
        velocity = {0, 0};
        spin = 0;
        return;
    }
    if (rotation == 90 || rotation == 270)
        return;
    if (spin > 0 && spin < 250)
        spin += 500 * f;
    else if (spin < 0 && spin > -250)
        spin -= 500 * f;
    else
        return;
    velocity.x += velocity.x > 0 ? 200 * f : -180 * f;
    velocity.y += 10.5f * f * velocity.y;
}

void Particle::appendCorners(std::vector<sf::Vertex>& to) const {
    // A sprite is a strip of four corners; the renderer moves a picture of
    // four corners or fewer on the processor, with the same transform.
    const sf::IntRect rect = sprite.getTextureRect();
    const sf::FloatRect bounds = sprite.getLocalBounds();
    const float left = static_cast<float>(rect.left), top = static_cast<float>(rect.top);
    const float right = left + static_cast<float>(rect.width), bottom = top + static_cast<float>(rect.height);
    const sf::Transform& transform = sprite.getTransform();
    const sf::Color colour = sprite.getColor();
    const sf::Vertex corners[4] = {
        {transform.transformPoint(0, 0), colour, {left, top}},
        {transform.transformPoint(0, bounds.height), colour, {left, bottom}},
        {transform.transformPoint(bounds.width, 0), colour, {right, top}},
        {transform.transformPoint(bounds.width, bounds.height), colour, {right, bottom}}};
    // The strip's two triangles, each with its corners in the strip's order.
    for (int i : {0, 1, 2, 2, 1, 3})
        to.push_back(corners[i]);
}

void Particle::draw() {
    sf::Shader& shader = Contenthandler::getInstance()->grayScaleShader;
    shader.setUniform("tint", sf::Glsl::Vec4(sprite.getColor()));
    gameWindow().draw(sprite, &shader);
}
