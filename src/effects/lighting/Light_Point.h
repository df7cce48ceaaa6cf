#pragma once
// A point light: a disc (or a cone) of light that fades to nothing at its radius.

#include "effects/lighting/Light.h"

#include <vector>

namespace ltbl {

class Light_Point : public Light {
  public:
    void render() override;
    void calculateAABB() override;
    // Points of the light's triangle fan: the centre, then the rim from one
    // edge of the cone to the other.
    std::vector<sf::Vector2f> fanPoints() const;
};

} // namespace ltbl
