#include "world/Pathfinding.h"

#include "world/Map.h"
#include "world/Mapentity.h"
#include "world/Maphandler.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {
constexpr int maxSteps = 300;
constexpr int maxBackOuts = 20;
constexpr float tileSize = 64.0f;

// Unlike std::clamp this accepts an empty band (a map narrower than five
// tiles has none for the goal) and answers its lower end.
int clampTo(int value, int lo, int hi) {
    return std::max(lo, std::min(value, hi));
}

// The tile index of a pixel coordinate. Far-off coordinates are pinned
// before the conversion so that they cannot overflow an int.
int tileIndex(float pixels) {
    float tile = std::floor(pixels / tileSize);
    return static_cast<int>(std::max(-1.0e6f, std::min(tile, 1.0e6f)));
}

bool solid(const Map& map, int col, int row) {
    return map.walls[static_cast<std::size_t>(col)][static_cast<std::size_t>(row)].kind == 1;
}

sf::Vector2f centreOf(const Pathingtile& tile) {
    return {static_cast<float>(tile.col) * tileSize + 32.0f, static_cast<float>(tile.row) * tileSize + 32.0f};
}
} // namespace

std::vector<sf::Vector2f> Pathfinding::findPath(sf::Vector2f start, sf::Vector2f goal, sf::Vector2i size) {
    // A map without tiles offers as little ground as no map at all.
    const Map* map = Maphandler::getInstance()->currentMap();
    if (map && (map->columns() == 0 || map->rows() == 0))
        map = nullptr;
    columns = map ? map->columns() : 0;
    rows = map ? map->rows() : 0;

    // Without a map there is no grid to clamp into; the start keeps its own
    // tile so that an actor told to go there stays where it is.
    Pathingtile first(tileIndex(start.y + static_cast<float>(size.y / 2)),
                      tileIndex(start.x + static_cast<float>(size.x / 2)));
    if (map) {
        first.col = clampTo(first.col, 0, columns - 1);
        first.row = clampTo(first.row, 0, rows - 1);
    }
    goalCol = clampTo(tileIndex(goal.x), 2, columns - 3);
    goalRow = clampTo(tileIndex(goal.y), 2, rows - 3);

    deadEnds.clear();
    route.clear();
    candidates.clear();
    waypoints.clear();
    route.push_back(first);

    auto atGoal = [this] { return route.back().col == goalCol && route.back().row == goalRow; };
    if (map) {
        beginMarks(map);
        block(first);
        for (int step = 0; step < maxSteps && !atGoal(); ++step) {
            expand(*map, route.back());
            for (int back = 0; candidates.empty() && back < maxBackOuts && route.size() >= 2; ++back) {
                deadEnds.push_back(route.back());
                route.pop_back();
                expand(*map, route.back());
            }
            if (candidates.empty())
                continue;
            score(*map, route.back());
            // The first of the cheapest wins, so ties go to the upper row, then the left column.
            const Pathingtile* best = nullptr;
            int bestF = 100000;
            for (const Pathingtile& c : candidates)
                if (c.f < bestF) {
                    bestF = c.f;
                    best = &c;
                }
            if (best) {
                route.push_back(*best);
                block(*best);
            }
        }
    }

    bool reached = atGoal();
    if (map)
        cutDetours();
    for (const Pathingtile& node : route)
        waypoints.push_back(centreOf(node));
    if (!reached)
        waypoints.push_back(centreOf(first));
    return waypoints;
}

void Pathfinding::beginMarks(const Map* map) {
    std::size_t tiles = static_cast<std::size_t>(columns) * static_cast<std::size_t>(rows);
    if (marks.size() != tiles)
        marks.assign(tiles, TileMark{});
    if (++generation == 0) {
        // The counter went round: stamps from four billion searches ago would count again.
        std::fill(marks.begin(), marks.end(), TileMark{});
        generation = 1;
    }
    // Props move and break between searches, so they are marked afresh each
    // time; that costs one pass over the list instead of one per candidate.
    for (const auto& prop : map->furniture) {
        int col = tileIndex(prop->position.x);
        int row = tileIndex(prop->position.y);
        if (col >= 0 && col < columns && row >= 0 && row < rows)
            mark(col, row).blocked = generation;
    }
}

// The neighbours of node that the walk may enter, in row-major order. The
// upper bounds are clamped like the lower ones, so the last row and column
// are never entered: they are the map's outer wall.
void Pathfinding::expand(const Map& map, const Pathingtile& node) {
    candidates.clear();
    int rowEnd = clampTo(node.row + 2, 0, rows - 1);
    int colEnd = clampTo(node.col + 2, 0, columns - 1);
    for (int row = clampTo(node.row - 1, 0, rows - 1); row < rowEnd; ++row)
        for (int col = clampTo(node.col - 1, 0, columns - 1); col < colEnd; ++col)
            if (!solid(map, col, row) && mark(col, row).blocked != generation)
                candidates.emplace_back(row, col);
}

// Greedy scores: the step's own cost and the distance left, not the cost so
// far. Beside a wall, the step along it that keeps the walk heading for the
// goal's side wins outright, which carries the walk round obstacles.
void Pathfinding::score(const Map& map, const Pathingtile& from) {
    bool inside = from.row > 0 && from.row < rows - 1 && from.col > 0 && from.col < columns - 1;
    for (Pathingtile& c : candidates) {
        bool sameRow = c.row == from.row;
        bool sameCol = c.col == from.col;
        c.g = sameRow || sameCol ? 10 : 14;
        c.h = (std::abs(c.row - goalRow) + std::abs(c.col - goalCol)) * 10;
        c.f = c.g + c.h;
        if (!inside)
            continue;
        if ((sameRow && solid(map, from.col, from.row - 1) && c.row > goalRow) ||
            (sameRow && solid(map, from.col, from.row + 1) && c.row < goalRow) ||
            (sameCol && solid(map, from.col - 1, from.row) && goalCol < c.col) ||
            (sameCol && solid(map, from.col + 1, from.row) && c.col < goalCol))
            c.f = 1;
    }
}

// Wherever a later node is a straight neighbour of an earlier one, the loop
// between them goes. Route tiles are all different, so one pass that jumps
// from each kept node to the latest of its straight neighbours on the route
// keeps exactly the nodes that repeated pairwise cutting would.
void Pathfinding::cutDetours() {
    for (std::size_t i = 0; i < route.size(); ++i) {
        TileMark& m = mark(route[i].col, route[i].row);
        m.onRoute = generation;
        m.routeIndex = static_cast<int>(i);
    }
    auto indexAt = [this](int col, int row) {
        if (col < 0 || col >= columns || row < 0 || row >= rows)
            return -1;
        const TileMark& m = mark(col, row);
        return m.onRoute == generation ? m.routeIndex : -1;
    };
    std::vector<Pathingtile> kept;
    int n = static_cast<int>(route.size());
    for (int i = 0; i < n;) {
        const Pathingtile& node = route[static_cast<std::size_t>(i)];
        kept.push_back(node);
        int latest = std::max({indexAt(node.col - 1, node.row), indexAt(node.col + 1, node.row),
                               indexAt(node.col, node.row - 1), indexAt(node.col, node.row + 1)});
        i = latest >= i + 2 ? latest : i + 1;
    }
    route = std::move(kept);
}
