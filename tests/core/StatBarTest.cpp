#include "core/StatBar.h"

#include "core/Settings.h"

#include <SFML/Graphics/Image.hpp>
#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Graphics/Texture.hpp>
#include <gtest/gtest.h>

#include <functional>

namespace {

sf::Image capture(sf::RenderWindow& window) {
    sf::Texture grab;
    grab.create(window.getSize().x, window.getSize().y);
    grab.update(window);
    return grab.copyToImage();
}

int differingPixels(const sf::Image& a, const sf::Image& b) {
    int differing = 0;
    for (unsigned y = 0; y < a.getSize().y; ++y)
        for (unsigned x = 0; x < a.getSize().x; ++x)
            differing += a.getPixel(x, y) != b.getPixel(x, y);
    return differing;
}

// The bars go out in one draw (or three with a textured fill) instead of a
// draw per shape; the picture must not change by a pixel, on the display's
// whole-pixel places as on an enemy's bar in a shaken, zoomed view.
TEST(StatBarPicture, OneDrawLaysTheSamePixelsAsItsShapesOneByOne) {
    sf::RenderWindow& window = gameWindow();
    window.create(sf::VideoMode(480, 270), "Vantreth", sf::Style::None);
    sf::Image pattern;
    pattern.create(40, 25);
    for (unsigned y = 0; y < 25; ++y)
        for (unsigned x = 0; x < 40; ++x)
            pattern.setPixel(
                x, y, sf::Color(static_cast<sf::Uint8>(x * 6), static_cast<sf::Uint8>(y * 9), 90, 200));
    sf::Texture noise;
    ASSERT_TRUE(noise.loadFromImage(pattern));
    noise.setRepeated(true);

    sf::View shaken(sf::FloatRect(10.3f, -4.6f, 400, 225));
    shaken.setRotation(3.2f);
    const sf::View screen(sf::FloatRect(0, 0, 480, 270));
    struct Case {
        const char* what;
        StatBar bar;
        const sf::View& view;
        bool plain;
    };
    std::vector<Case> cases = {
        {"a display bar",
         StatBar(100, sf::Color(64, 214, 84), 3, sf::Color(96, 96, 96), 61, {40, 19, 350, 32}), screen,
         false},
        {"a full bar with a see-through frame",
         StatBar(1, sf::Color::Cyan, 3, sf::Color(0, 0, 0, 120), 1, {20, 120, 200, 25}), screen, false},
        {"a bar emptied from the top", StatBar(5, sf::Color::Red, 0, sf::Color::White, 2, {300, 90, 30, 140}),
         screen, false},
        {"a textured fill", StatBar(255, sf::Color::Yellow, 3, sf::Color::Black, 170, {100, 200, 200, 25}),
         screen, false},
        {"an enemy's bar", StatBar(37, sf::Color::Green, 3, sf::Color::Black, 23, {0, 0, 48, 7}), shaken,
         true},
    };
    cases[3].bar.fill.setTexture(&noise);
    cases[3].bar.fill.setTextureRect({13, 0, 133, 25});
    cases[4].bar.frame.setFillColor(sf::Color::Black);
    cases[4].bar.setPosition({133.37f, 71.71f});

    for (Case& c : cases) {
        auto shoot = [&](const std::function<void()>& draw) {
            window.clear(sf::Color(120, 60, 160));
            window.setView(c.view);
            draw();
            sf::Image picture = capture(window);
            window.display();
            return picture;
        };
        StatBar& bar = c.bar;
        const sf::Image shapes = shoot([&] {
            if (c.plain) {
                window.draw(bar.frame);
                window.draw(bar.fill);
                return;
            }
            window.draw(bar.backing);
            window.draw(bar.fill);
            if (bar.shine.getSize().y >= 2)
                window.draw(bar.shine);
            window.draw(bar.frame);
        });
        const sf::Image batched = shoot([&] { c.plain ? bar.drawPlain() : bar.draw(); });
        EXPECT_EQ(differingPixels(shapes, batched), 0) << c.what;
        EXPECT_NE(differingPixels(shapes, shoot([] {})), 0) << c.what << " drew nothing";
    }
    window.close();
}

} // namespace
