#pragma once
// A light of the 2D light engine. Positions are in the engine's coordinates,
// whose y axis points up: a world point (x, y) enters as (x, viewHeight - y).
// The light system owns its lights.

#include "effects/lighting/QuadTreeOccupant.h"

#include <SFML/System/Vector3.hpp>

namespace ltbl {

class LightSystem;

class Light : public qdt::QuadTreeOccupant {
  public:
    // Draws the light's own shape (without shadows) into the current target.
    virtual void render() = 0;
    // Recomputes aabb from the centre, radius and cone.
    virtual void calculateAABB() = 0;

    // Moves the light and keeps its place in the index right.
    void setCenter(sf::Vector2f point);

    LightSystem* system = nullptr; // the system that owns this light, set when it is added
    bool useShader = true;
    sf::Vector2f center;
    float intensity = 1.0f; // 0 turns the light off
    float radius = 100.0f;
    float size = 40.0f; // width of the source: sets how wide the penumbrae are
    float bleed = 1.0f;
    float linearizeFactor = 0.2f;
    sf::Vector3f color{1, 1, 1};
    float directionAngle = 0;
    float spreadAngle = 6.2831855f; // a full circle
    float softSpreadAngle = 0;
    float subdivisionAngle = 0.1308997f; // the step of the light's triangle fan
};

} // namespace ltbl
