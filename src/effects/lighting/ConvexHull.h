#pragma once
// A convex shadow caster: one per solid wall tile. Its vertices are relative
// to its world centre, in the light engine's y-up coordinates. The light
// system owns its hulls.

#include "effects/lighting/QuadTreeOccupant.h"

#include <SFML/System/Vector2.hpp>

#include <cstddef>
#include <iosfwd>
#include <string>
#include <vector>

namespace ltbl {

class LightSystem;

class ConvexHull : public qdt::QuadTreeOccupant {
  public:
    // Reads a hull file (pairs of numbers, x then y). The file is read once per
    // path and the shape reused, since every wall tile loads the same one.
    // On failure writes "Could not load convex hull "<path>"!" and returns false.
    bool loadShape(const std::string& path);
    // The hull file format: whitespace-separated words read in pairs; a word
    // that is not a number reads as 0; reading stops at the first incomplete pair.
    static std::vector<sf::Vector2f> readShape(std::istream& in);

    void setVertices(std::vector<sf::Vector2f> points);
    // Moves the vertices so their average is the origin.
    void centerHull();
    // normal i = (-(v[i+1].y - v[i].y), v[i+1].x - v[i].x), wrapping around.
    void calculateNormals();
    void generateAABB();
    void setWorldCenter(sf::Vector2f point);

    LightSystem* system = nullptr; // the system that owns this hull, set when it is added
    std::vector<sf::Vector2f> vertices;
    std::vector<sf::Vector2f> normals;
    sf::Vector2f worldCenter;
    qdt::AABB localAABB;
    bool renderLightOverHull = true; // when set, the hull's own area is left lit

  private:
    friend class LightSystem;
    std::size_t slot = 0; // the index in its system's hull list
};

} // namespace ltbl
