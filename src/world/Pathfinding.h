#pragma once
// Routes over the current map's walls for the enemies: a greedy walk on the
// tile grid that always steps to the cheapest neighbour, backs out of dead
// ends, gives up after 300 steps and then cuts out detours.

#include "app/Singleton.h"

#include <SFML/System/Vector2.hpp>

#include <vector>

class Pathingtile {
public:
    Pathingtile() = default;
    Pathingtile(int tileRow, int tileCol) : row(tileRow), col(tileCol) {}
    virtual ~Pathingtile() = default;

    int f = -1;
    int g = -1;
    int h = -1;
    int row = 0;
    int col = 0;
};

class Pathfinding : public Singleton<Pathfinding> {
    friend class Singleton<Pathfinding>;

public:
    // Waypoints at tile centres from start (shifted by half of size) toward
    // goal. A walk that never reached the goal ends with the start tile's centre.
    std::vector<sf::Vector2f> findPath(sf::Vector2f start, sf::Vector2f goal, sf::Vector2i size);

    std::vector<Pathingtile> deadEnds;
    std::vector<Pathingtile> route;
    std::vector<Pathingtile> candidates;
    std::vector<sf::Vector2f> waypoints;

private:
    Pathfinding() = default;
};
