#include "app/MenuButton.h"

#include "core/Camera.h"
#include "core/Contenthandler.h"
#include "core/InputState.h"
#include "core/Random.h"
#include "core/Settings.h"
#include "core/TextSize.h"

#include <SFML/Graphics/RenderWindow.hpp>

#include <algorithm>
#include <cmath>
#include <utility>

namespace {
void nothing() {}
bool always() {
    return true;
}

// Clicks feel physical: a random pitch per click and a small kick of the view.
void clickFeedback(float pitch) {
    Contenthandler* content = Contenthandler::getInstance();
    content->clickSound.setPitch(pitch);
    content->clickSound.play();
    Camera::getInstance()->shake += static_cast<float>(randInt(50, 100)) * 0.02f;
}

void styleLabel(sf::Text& text, const std::string& string) {
    text.setFont(Contenthandler::getInstance()->fontBeantown);
    text.setCharacterSize(26);
    text.setString(string);
    text.setFillColor(sf::Color(232, 228, 216));
    text.setOutlineColor(sf::Color(10, 10, 18, 200));
    text.setOutlineThickness(2);
}
} // namespace

float MenuButton::leftClickPitch(int roll) {
    return 1.0f + static_cast<float>(roll) / 300.0f;
}

// The right click's pitches spread wider and reach down to nothing; the
// sound keeps a floor, since a pitch of zero or less is refused by the audio
// library and the click would keep the last one.
float MenuButton::rightClickPitch(int roll) {
    return std::max(1.0f + static_cast<float>(roll) / 90.0f, 0.1f);
}

sf::IntRect MenuButton::atlasFrame(int width) {
    if (width <= 64)
        return {0, 360, 96, 64};
    if (width <= 128)
        return {0, 240, 128, 64};
    if (width <= 256)
        return {0, 110, 256, 128};
    return {0, 0, 400, 110};
}

MenuButton::MenuButton(sf::Vector2i centre, sf::Vector2i size, Action leftClick, Action rightClick,
                       Condition enabledWhen, int axis, const std::string& labelText,
                       const std::string& altLabelText)
    : bounds(centre - size / 2, size), shape(sf::Vector2f(size)), target(centre), current(centre),
      slideAxis(axis), onLeftClick(leftClick ? std::move(leftClick) : nothing),
      onRightClick(rightClick ? std::move(rightClick) : nothing),
      isEnabled(enabledWhen ? std::move(enabledWhen) : always) {
    shape.setTexture(&Contenthandler::getInstance()->buttonTexture);
    shape.setTextureRect(atlasFrame(size.x));
    styleLabel(label, labelText);
    styleLabel(altLabel, altLabelText);
    // Starts below zero so the alternate label stays hidden until the first click.
    cooldown = 3.0f;
    cooldown -= cooldownReset + 1;
    cooldownPrevious = cooldown;
    resetPosition();
}

void MenuButton::resetPosition() {
    if (slideAxis == 0) {
        Camera* camera = Camera::getInstance();
        int width = camera->screenMode ? 1920 : camera->visibleArea.width;
        current = sf::Vector2i(target.x - width, target.y);
    } else {
        current = target;
    }
    place();
}

void MenuButton::place() {
    sf::Vector2i size(bounds.width, bounds.height);
    bounds = sf::IntRect(current - size / 2, size);
    shape.setPosition(sf::Vector2f(current - size / 2));
    for (sf::Text* text : {&label, &altLabel}) {
        float x = std::trunc(static_cast<float>(current.x) - text->getLocalBounds().width * 0.5f);
        text->setPosition(x, static_cast<float>(current.y - 20));
    }
}

void MenuButton::update(float dt) {
    enabled = isEnabled();
    sf::IntRect frame = shape.getTextureRect();
    frame.left = 0;
    if (cooldownActive) {
        cooldownPrevious = cooldown;
        cooldown -= dt;
    }
    InputState* input = InputState::getInstance();
    if (enabled && focused)
        frame.left = 400;
    if (enabled && bounds.contains(input->mouse)) {
        if (!inFocusedMenu)
            frame.left = 400;
        if (input->buttons[0] || input->buttonReleased(1))
            frame.left = 0;
        if (input->buttonReleased(0))
            press(false);
        else if (input->buttonReleased(1))
            press(true);
    }
    shape.setTextureRect(frame);
    if (slideAxis == 0 && current != target)
        current.x =
            static_cast<int>(static_cast<float>(target.x - current.x) * 0.1f + static_cast<float>(current.x));
    place();
}

void MenuButton::press(bool right) {
    if (right) {
        clickFeedback(rightClickPitch(randInt(-100, 100)));
        onRightClick();
    } else {
        clickFeedback(leftClickPitch(randInt(-150, 400)));
        onLeftClick();
    }
    cooldown = cooldownPrevious = cooldownReset;
}

void MenuButton::draw() {
    sf::RenderWindow& window = gameWindow();
    shape.setFillColor(enabled ? sf::Color::White : sf::Color(128, 128, 128, 255));
    window.draw(shape);
    bool showAlternate = cooldown > 0 && !altLabel.getString().isEmpty();
    // The label grows with the text size as far as the button's face allows.
    const sf::FloatRect face(static_cast<float>(bounds.left) + 12, static_cast<float>(bounds.top),
                             static_cast<float>(bounds.width) - 24, static_cast<float>(bounds.height));
    drawText(window, showAlternate ? altLabel : label, face);
}
