#include "effects/AnimatedParticle.h"

AnimatedParticle::AnimatedParticle(sf::Vector2f position, const sf::Texture& sheet, int width, int height,
                                   int row, int frames, float frameTime, float lifetime)
    : Particle(position, {0, 0}, lifetime, 0, 0), frameCount(frames), frameWidth(width), sheetRow(row) {
    sprite.setTexture(sheet);
    sprite.setTextureRect(sf::IntRect(0, row * height, width, height));
    sprite.setOrigin(static_cast<float>(width) / 2, static_cast<float>(height) / 2);
    frameTimer.duration = frameTime;
    frameTimer.start();
}

void AnimatedParticle::update(float dt) {
    frameTimer.tick(dt);
    if (frameTimer.remaining <= 0) {
        frameTimer.start();
        currentFrame = currentFrame + 1 >= firstFrame + frameCount ? firstFrame : currentFrame + 1;
    }
    Particle::update(dt);
    sf::IntRect rect = sprite.getTextureRect();
    rect.left = currentFrame * frameWidth;
    sprite.setTextureRect(rect);
}
