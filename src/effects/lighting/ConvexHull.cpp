#include "effects/lighting/ConvexHull.h"

#include <SFML/OpenGL.hpp>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <map>

namespace ltbl {

namespace {
// Shapes already read, by path. Only successful reads are kept, so a missing
// file is reported every time it is asked for.
std::map<std::string, std::vector<sf::Vector2f>>& shapeCache() {
    static std::map<std::string, std::vector<sf::Vector2f>> cache;
    return cache;
}
} // namespace

std::vector<sf::Vector2f> ConvexHull::readShape(std::istream& in) {
    std::vector<sf::Vector2f> points;
    std::string x, y;
    while (in >> x && in >> y)
        points.emplace_back(static_cast<float>(std::atof(x.c_str())),
                            static_cast<float>(std::atof(y.c_str())));
    return points;
}

bool ConvexHull::loadShape(const std::string& path) {
    auto& cache = shapeCache();
    auto found = cache.find(path);
    if (found == cache.end()) {
        std::ifstream in(path);
        if (!in) {
            std::cout << "Could not load convex hull \"" << path << "\"!" << std::endl;
            return false;
        }
        found = cache.emplace(path, readShape(in)).first;
    }
    vertices = found->second;
    return true;
}

void ConvexHull::setVertices(std::vector<sf::Vector2f> points) {
    vertices = std::move(points);
}

void ConvexHull::centerHull() {
    if (vertices.empty())
        return;
    sf::Vector2f mean;
    for (const auto& v : vertices)
        mean += v;
    mean /= static_cast<float>(vertices.size());
    for (auto& v : vertices)
        v -= mean;
}

void ConvexHull::calculateNormals() {
    normals.clear();
    for (std::size_t i = 0; i < vertices.size(); ++i) {
        const sf::Vector2f& a = vertices[i];
        const sf::Vector2f& b = vertices[(i + 1) % vertices.size()];
        normals.emplace_back(-(b.y - a.y), b.x - a.x);
    }
}

void ConvexHull::generateAABB() {
    if (vertices.empty()) {
        localAABB = qdt::AABB::fromBounds({0, 0}, {0, 0});
    } else {
        sf::Vector2f lower = vertices[0], upper = vertices[0];
        for (const auto& v : vertices) {
            lower = {std::min(lower.x, v.x), std::min(lower.y, v.y)};
            upper = {std::max(upper.x, v.x), std::max(upper.y, v.y)};
        }
        localAABB = qdt::AABB::fromBounds(lower, upper);
    }
    aabb = qdt::AABB::fromBounds(localAABB.lowerBound + worldCenter, localAABB.upperBound + worldCenter);
}

void ConvexHull::setWorldCenter(sf::Vector2f point) {
    worldCenter = point;
    aabb = qdt::AABB::fromBounds(localAABB.lowerBound + worldCenter, localAABB.upperBound + worldCenter);
    treeUpdate();
}

} // namespace ltbl
