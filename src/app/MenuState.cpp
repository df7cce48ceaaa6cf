#include "app/MenuState.h"

#include "core/Camera.h"
#include "core/Contenthandler.h"
#include "core/InputState.h"
#include "core/Picture.h"
#include "core/Settings.h"
#include "world/CameraFollow.h"

#include <SFML/Graphics/RenderWindow.hpp>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <utility>

sf::RectangleShape menuShade;

void MenuState::resetButtons() {
    for (MenuButton& button : buttons)
        if (button.slideAxis != -1)
            button.resetPosition();
}

void MenuState::onEnter() {
    resetButtons();
    focus = -1;
    // The click that opened this menu must not count as a click inside it:
    // this frame's input counts as already seen. The devices are not read
    // again here, so a frame's input is exactly what was sampled at its start
    // (which a recording holds).
    InputState::getInstance()->carryOver();
    popRequested = false;
    Camera::getInstance()->screenMode = true;
    menuShade.setSize(sf::Vector2f(1920, 1080));
    menuShade.setFillColor(sf::Color(0, 0, 0, 64));
    gameWindow().setFramerateLimit(120);
}

void MenuState::onExit() {
    resetButtons();
}

void MenuState::update(float dt) {
    steerFocus();
    for (MenuButton& button : buttons)
        button.update(dt);
}

int MenuState::nextFocus(const std::vector<sf::Vector2i>& centres, const std::vector<bool>& enabled, int from,
                         sf::Vector2i step) {
    int count = static_cast<int>(std::min(centres.size(), enabled.size()));
    int ahead = -1, wrapped = -1;
    long aheadScore = 0, wrappedScore = 0;
    for (int i = 0; i < count; ++i) {
        if (!enabled[static_cast<std::size_t>(i)] || i == from)
            continue;
        if (from < 0 || from >= count)
            return i;
        sf::Vector2i d = centres[static_cast<std::size_t>(i)] - centres[static_cast<std::size_t>(from)];
        long along = d.x * step.x + d.y * step.y;
        long across = std::abs(d.x * step.y) + std::abs(d.y * step.x);
        // Straying sideways costs double, so a button in line wins over a nearer one off to the side.
        long score = along + 2 * across;
        if (along > 0 && (ahead < 0 || score < aheadScore)) {
            ahead = i;
            aheadScore = score;
        }
        // Wrapping lands on the farthest button the other way.
        if (along < 0 && (wrapped < 0 || score < wrappedScore)) {
            wrapped = i;
            wrappedScore = score;
        }
    }
    if (from >= 0 && from < count && enabled[static_cast<std::size_t>(from)] && ahead < 0 && wrapped < 0)
        return from;
    return ahead >= 0 ? ahead : wrapped;
}

void MenuState::steerFocus() {
    InputState* input = InputState::getInstance();
    std::vector<sf::Vector2i> centres;
    std::vector<bool> enabled;
    for (const MenuButton& button : buttons) {
        centres.push_back(button.target);
        enabled.push_back(button.isEnabled());
    }
    int count = static_cast<int>(buttons.size());
    bool mouseActed = input->mouse != input->previousMouse;
    for (int b = 0; b < InputState::buttonCount; ++b)
        mouseActed = mouseActed || input->buttonPressed(b);
    if (mouseActed)
        focusFromKeys = false;
    for (int i = 0; i < count && mouseActed; ++i)
        if (enabled[static_cast<std::size_t>(i)] &&
            buttons[static_cast<std::size_t>(i)].bounds.contains(input->mouse))
            focus = i;
    if (focus < 0 || focus >= count || !enabled[static_cast<std::size_t>(focus)])
        focus = nextFocus(centres, enabled, -1, {});
    sf::Vector2i step = input->navigation();
    if (focus >= 0 && step != sf::Vector2i()) {
        focus = nextFocus(centres, enabled, focus, step);
        focusFromKeys = true;
    }
    for (int i = 0; i < count; ++i) {
        buttons[static_cast<std::size_t>(i)].focused = i == focus;
        buttons[static_cast<std::size_t>(i)].inFocusedMenu = true;
    }
    if (focus >= 0 && input->confirmPressed())
        buttons[static_cast<std::size_t>(focus)].press(false);
    else if (focus >= 0 && input->secondPressed())
        buttons[static_cast<std::size_t>(focus)].press(true);
}

void MenuState::draw() {
    Camera* camera = Camera::getInstance();
    camera->screenMode = true;
    followPlayer(0);
    sf::RenderWindow& window = gameWindow();
    showView(window, camera->view);
    window.draw(background);
    window.draw(foreground);
    window.draw(menuShade);
    for (MenuButton& button : buttons)
        button.draw();
}

void styleMenuText(sf::Text& text, unsigned size, sf::Color colour, const std::string& string, float outline,
                   sf::Color outlineColour) {
    text.setFont(Contenthandler::getInstance()->fontBeantown);
    text.setCharacterSize(size);
    text.setFillColor(colour);
    text.setOutlineColor(outlineColour);
    text.setOutlineThickness(outline);
    text.setString(string);
}

void centreMenuText(sf::Text& text, float y) {
    sf::FloatRect box = text.getLocalBounds();
    text.setPosition(std::trunc(960 - box.width * 0.5f - box.left), y);
}

void placeMenuText(sf::Text& text, float x, float y, Align align) {
    sf::FloatRect box = text.getLocalBounds();
    float left = x - box.left;
    if (align == Align::centre)
        left -= box.width * 0.5f;
    else if (align == Align::right)
        left -= box.width;
    const sf::Font* font = text.getFont();
    const unsigned size = text.getCharacterSize();
    sf::FloatRect capital = font ? font->getGlyph('H', size, false).bounds : sf::FloatRect();
    float baseline = static_cast<float>(size);
    // sf::Text puts the baseline one character size below its position.
    text.setPosition(std::trunc(left), std::trunc(y - baseline - capital.top - capital.height * 0.5f));
}

void stylePlayMark(sf::CircleShape& mark) {
    mark.setRadius(11);
    mark.setPointCount(3);
    mark.setOrigin(11, 11);
    mark.setRotation(90);
    mark.setFillColor(sf::Color(242, 163, 58));
    mark.setOutlineColor(sf::Color(10, 10, 18, 200));
    mark.setOutlineThickness(2);
}

MenuButton rowButton(sf::IntRect area, MenuButton::Action onClick, MenuButton::Condition isEnabled) {
    MenuButton row(sf::Vector2i(area.left + area.width / 2, area.top + area.height / 2),
                   sf::Vector2i(area.width, area.height), std::move(onClick), nullptr, std::move(isEnabled),
                   -1, "", "");
    row.shape.setSize(sf::Vector2f());
    return row;
}
