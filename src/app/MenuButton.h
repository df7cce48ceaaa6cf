#pragma once
// An animated menu button: slides in from the left, lights up under the
// mouse or while it has the menu's focus, shows a pressed frame while held,
// and fires its action on release with a click sound and a little camera
// shake. After a click it shows its
// alternate label (if any) for a few seconds.

#include <SFML/Graphics/Rect.hpp>
#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/Text.hpp>

#include <functional>
#include <string>

class MenuButton {
  public:
    // Plain functions in most menus; a closure where one action serves a whole table of buttons.
    using Action = std::function<void()>;
    using Condition = std::function<bool()>;

    MenuButton(sf::Vector2i centre, sf::Vector2i size, Action onLeftClick, Action onRightClick,
               Condition isEnabled, int slideAxis, const std::string& labelText,
               const std::string& altLabelText);

    void update(float dt);
    void draw();
    // A click from the keyboard or a pad: the left or the right click's action, with its feedback.
    void press(bool right);
    // Puts a sliding button back at its off-screen start.
    void resetPosition();

    // Which part of the button atlas a button of this width uses (its normal frame).
    static sf::IntRect atlasFrame(int width);
    // The click sound's pitch for a left click's roll in [-150, 400] and a
    // right click's roll in [-100, 100].
    static float leftClickPitch(int roll);
    static float rightClickPitch(int roll);

    sf::IntRect bounds;
    sf::RectangleShape shape;
    sf::Text label;
    sf::Text altLabel;
    float cooldownReset = 3.0f;
    bool cooldownActive = true;
    float cooldown = 0;
    float cooldownPrevious = 0;
    bool enabled = true;
    // Set by the menu that steers a focus: then only the focused button wears
    // the hover frame (the menu hands the focus to the button the mouse moves
    // onto), so a resting pointer and the keys never light two at once.
    bool focused = false;
    bool inFocusedMenu = false;
    sf::Vector2i target;
    sf::Vector2i current;
    int slideAxis = -1; // -1 rests in place, 0 slides in along x
    Action onLeftClick;
    Action onRightClick;
    Condition isEnabled;

  private:
    void place();
};
