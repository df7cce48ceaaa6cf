#include "effects/textParticle.h"

#include "core/Contenthandler.h"
#include "core/Settings.h"

#include <SFML/Graphics/RenderWindow.hpp>

#include <cmath>

textParticle::textParticle(sf::Vector2f position, float size, const std::string& string,
                           sf::Vector2f velocityPerUpdate, float lifetime)
    : Particle(position, {0, 0}, lifetime, 0, 0), textVelocity(velocityPerUpdate) {
    text.setFont(Contenthandler::getInstance()->fontBeantown);
    text.setString(string);
    text.setCharacterSize(24);
    text.setScale(size, size);
    text.setFillColor(sf::Color::White);
    text.setOutlineColor(sf::Color(0, 0, 0));
    text.setOutlineThickness(1);
    text.setPosition(position);
}

void textParticle::update(float dt) {
    // The velocity is a step per sixtieth of a second, so the text rises
    // equally fast at any frame rate (levels run uncapped).
    text.move(textVelocity * dt * 60.0f);
    Particle::update(dt);
    auto alpha = static_cast<sf::Uint8>(std::trunc((1 - lifeSpent()) * 255));
    sf::Color fill = text.getFillColor();
    sf::Color outline = text.getOutlineColor();
    fill.a = outline.a = alpha;
    text.setFillColor(fill);
    text.setOutlineColor(outline);
}

void textParticle::draw() {
    gameWindow().draw(text);
}
