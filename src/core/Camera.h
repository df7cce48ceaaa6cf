#pragma once
// The one view through which the world is drawn: it eases toward a target
// it is handed (world/CameraFollow.h hands it the player, kept inside the
// map), shakes on demand, and switches to a fixed screen view for menus. The logical screen is always 1920 x
// 1080 units; the window's real resolution only scales it.

#include "core/Singleton.h"

#include <SFML/Graphics/Color.hpp>
#include <SFML/Graphics/Rect.hpp>
#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/View.hpp>
#include <SFML/System/Vector3.hpp>

class Camera : public Singleton<Camera> {
    friend class Singleton<Camera>;

  public:
    ~Camera();

    // One step toward the player's position, kept inside a map of the given
    // size in pixels; mapSize is null when there is no map, and then the
    // camera keeps its last centre. Once per frame, and with dt = 0 from
    // every draw, which draws no new shake.
    void step(float dt, sf::Vector2f playerPosition, const sf::Vector2f* mapSize);

    // Draws the tint overlay over the world (not in screen mode).
    void drawOverlay();
    // Draws the tint over a rectangle of the screen, in the unturned view's units.
    void drawOverlayOver(const sf::FloatRect& screenArea);
    // Whether a circle of the given radius at the given position is on screen.
    bool isVisible(sf::Vector2f position, float radius) const;
    // The visible world rectangle, or the screen in screen mode.
    sf::IntRect visibleRect() const;

    // Keeps a view centre inside the map; the lower bound wins on a map narrower than the view.
    static sf::Vector2f clampToMap(sf::Vector2f point, sf::Vector2f viewSize, sf::Vector2f mapSize);

    float shake = 0;
    sf::Color overlayColor = sf::Color(0, 0, 0, 0);
    sf::Vector2f target;
    sf::Vector2f center;
    sf::IntRect visibleArea;
    sf::RectangleShape overlay;
    bool screenMode = false;
    sf::View view;

  private:
    Camera();
    sf::Vector3f shakeTerms; // the frame's rotation and offsets
};
