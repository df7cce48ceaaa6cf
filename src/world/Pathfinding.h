#pragma once
// Routes over the current map's walls for the enemies: a greedy walk on the
// tile grid that always steps to the cheapest neighbour, backs out of dead
// ends, gives up after 300 steps and then cuts out detours.

#include "core/Singleton.h"

#include <SFML/System/Vector2.hpp>

#include <vector>

class Map;

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
    // Without a current map the result is the start tile's centre twice.
    std::vector<sf::Vector2f> findPath(sf::Vector2f start, sf::Vector2f goal, sf::Vector2i size);

    // The last search's workings, kept for inspection; every search starts them afresh.
    std::vector<Pathingtile> deadEnds;
    std::vector<Pathingtile> route;
    std::vector<Pathingtile> candidates;
    std::vector<sf::Vector2f> waypoints;

  private:
    Pathfinding() = default;

    // Per-tile marks, column-major. An entry counts only while its stamp
    // equals the current search's generation, so a new search forgets the
    // last one by counting up instead of clearing the grid.
    struct TileMark {
        unsigned blocked = 0; // a prop stands here, or the walk already entered it
        unsigned onRoute = 0; // routeIndex is valid
        int routeIndex = 0;
    };

    void beginMarks(const Map* map);
    TileMark& mark(int col, int row) { return marks[static_cast<std::size_t>(col * rows + row)]; }
    void block(const Pathingtile& tile) { mark(tile.col, tile.row).blocked = generation; }
    void expand(const Map& map, const Pathingtile& node);
    void score(const Map& map, const Pathingtile& from);
    void cutDetours();

    std::vector<TileMark> marks;
    unsigned generation = 0;
    int columns = 0;
    int rows = 0;
    int goalCol = 0;
    int goalRow = 0;
};
