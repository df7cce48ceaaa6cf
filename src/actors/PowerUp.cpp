#include "actors/PowerUp.h"

#include "actors/Player.h"
#include "core/Contenthandler.h"
#include "core/Settings.h"

#include <SFML/Graphics/Glsl.hpp>
#include <SFML/Graphics/RenderWindow.hpp>

#include <cmath>

PowerUp::PowerUp(sf::Vector2f where, sf::IntRect cell, float radius) : pickupRadius(radius), position(where) {
    Contenthandler* content = Contenthandler::getInstance();
    if (!content->powerupTextures.empty())
        sprite.setTexture(content->powerupTextures[0]);
    sprite.setTextureRect(cell);
}

void PowerUp::update() {
    const Player* player = Player::getInstance();
    // A fallen player lies still; whatever he lies on waits for the next run.
    if (taken || player->dead)
        return;
    sf::Vector2f d = player->position - position;
    if (std::sqrt(d.x * d.x + d.y * d.y) < player->radius + pickupRadius)
        apply();
}

void PowerUp::draw() {
    sf::Shader& shader = Contenthandler::getInstance()->grayScaleShader;
    shader.setUniform("tint", sf::Glsl::Vec4(sprite.getColor()));
    sprite.setPosition(position - sf::Vector2f(pickupRadius, pickupRadius));
    gameWindow().draw(sprite, &shader);
}

void PowerUp::apply() {
    taken = true;
}
