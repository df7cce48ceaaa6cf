#pragma once
// An axis-aligned box kept in both of the forms the light engine needs:
// centre and half size for building, corners for overlap tests.

#include <SFML/System/Vector2.hpp>

namespace qdt {

struct AABB {
    sf::Vector2f center;
    sf::Vector2f halfDims;
    sf::Vector2f lowerBound;
    sf::Vector2f upperBound;

    static AABB fromBounds(sf::Vector2f lower, sf::Vector2f upper);
    static AABB fromCenter(sf::Vector2f center, sf::Vector2f halfDims);

    bool intersects(const AABB& other) const;
    // Whether other lies wholly inside this box (touching edges count as inside).
    bool contains(const AABB& other) const;
};

} // namespace qdt
