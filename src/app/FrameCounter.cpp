#include "app/FrameCounter.h"

#include "app/MenuState.h"
#include "core/Contenthandler.h"
#include "core/Picture.h"

#include <SFML/Graphics/RenderTarget.hpp>
#include <SFML/Graphics/View.hpp>

#include <cstdio>

void FrameCounter::count(float seconds) {
    ++frames;
    elapsed += seconds;
    if (elapsed < 0.5f)
        return;
    framesPerSecond = static_cast<float>(frames) / elapsed;
    frameMilliseconds = elapsed * 1000 / static_cast<float>(frames);
    frames = 0;
    elapsed = 0;
}

void FrameCounter::draw(sf::RenderTarget& target) {
    char figures[48];
    std::snprintf(figures, sizeof figures, "%.0f FPS  %.1f ms", static_cast<double>(framesPerSecond),
                  static_cast<double>(frameMilliseconds));
    if (text.getFont() == nullptr)
        styleMenuText(text, 26, sf::Color(232, 228, 216));
    text.setString(figures);
    // The bottom left corner is the one no screen uses: the level's panels
    // and score hold the other three.
    text.setPosition(16, 1040);
    const sf::View previous = target.getView();
    showView(target, sf::View(sf::FloatRect(0, 0, 1920, 1080)));
    target.draw(text);
    target.setView(previous);
}
