#include "effects/lighting/Light.h"

namespace ltbl {

void Light::setCenter(sf::Vector2f point) {
    center = point;
    calculateAABB();
    treeUpdate();
}

} // namespace ltbl
