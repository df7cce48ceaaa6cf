#include "effects/lighting/AABB.h"

namespace qdt {

AABB AABB::fromBounds(sf::Vector2f lower, sf::Vector2f upper) {
    AABB box;
    box.lowerBound = lower;
    box.upperBound = upper;
    box.halfDims = (upper - lower) * 0.5f;
    box.center = lower + box.halfDims;
    return box;
}

AABB AABB::fromCenter(sf::Vector2f center, sf::Vector2f halfDims) {
    return fromBounds(center - halfDims, center + halfDims);
}

bool AABB::intersects(const AABB& o) const {
    return lowerBound.x <= o.upperBound.x && o.lowerBound.x <= upperBound.x &&
           lowerBound.y <= o.upperBound.y && o.lowerBound.y <= upperBound.y;
}

bool AABB::contains(const AABB& o) const {
    return lowerBound.x <= o.lowerBound.x && lowerBound.y <= o.lowerBound.y &&
           o.upperBound.x <= upperBound.x && o.upperBound.y <= upperBound.y;
}

} // namespace qdt
