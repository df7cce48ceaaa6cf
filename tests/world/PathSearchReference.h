#pragma once
// The route search written the plain way, every membership question answered
// by scanning the lists: the yardstick the game's search is held to in the
// tests and the benchmarks.

#include "world/Map.h"
#include "world/Mapentity.h"
#include "world/Pathfinding.h"

#include <SFML/System/Vector2.hpp>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

struct ReferenceSearch {
    std::vector<Pathingtile> route;
    std::vector<Pathingtile> deadEnds;
    std::vector<sf::Vector2f> waypoints;
};

inline ReferenceSearch referencePath(const Map* map, sf::Vector2f start, sf::Vector2f goal,
                                     sf::Vector2i size) {
    const int nx = map ? map->columns() : 0;
    const int ny = map ? map->rows() : 0;
    auto clampTo = [](int v, int lo, int hi) { return std::max(lo, std::min(v, hi)); };
    auto tileOf = [](float p) { return static_cast<int>(std::floor(p / 64.0f)); };
    auto solid = [map](int c, int r) {
        return map->walls[static_cast<std::size_t>(c)][static_cast<std::size_t>(r)].kind == 1;
    };
    auto same = [](const Pathingtile& t, int r, int c) { return t.row == r && t.col == c; };

    ReferenceSearch s;
    Pathingtile first(tileOf(start.y + static_cast<float>(size.y / 2)),
                      tileOf(start.x + static_cast<float>(size.x / 2)));
    if (map) {
        first.col = clampTo(first.col, 0, nx - 1);
        first.row = clampTo(first.row, 0, ny - 1);
    }
    const int goalCol = clampTo(tileOf(goal.x), 2, nx - 3);
    const int goalRow = clampTo(tileOf(goal.y), 2, ny - 3);
    s.route.push_back(first);
    std::vector<Pathingtile> candidates;

    auto expand = [&](const Pathingtile& u) {
        candidates.clear();
        for (int r = clampTo(u.row - 1, 0, ny - 1); r < clampTo(u.row + 2, 0, ny - 1); ++r)
            for (int c = clampTo(u.col - 1, 0, nx - 1); c < clampTo(u.col + 2, 0, nx - 1); ++c) {
                bool taken = solid(c, r);
                for (const Pathingtile& t : s.deadEnds)
                    taken = taken || same(t, r, c);
                for (const Pathingtile& t : s.route)
                    taken = taken || same(t, r, c);
                for (const auto& prop : map->furniture)
                    taken = taken || (tileOf(prop->position.x) == c && tileOf(prop->position.y) == r);
                if (!taken)
                    candidates.emplace_back(r, c);
            }
    };
    auto atGoal = [&] { return same(s.route.back(), goalRow, goalCol); };

    for (int step = 0; map && step < 300 && !atGoal(); ++step) {
        expand(s.route.back());
        for (int back = 0; candidates.empty() && back < 20 && s.route.size() >= 2; ++back) {
            s.deadEnds.push_back(s.route.back());
            s.route.pop_back();
            expand(s.route.back());
        }
        if (candidates.empty())
            continue;
        const Pathingtile u = s.route.back();
        bool inside = u.row > 0 && u.row < ny - 1 && u.col > 0 && u.col < nx - 1;
        for (Pathingtile& c : candidates) {
            c.g = c.row == u.row || c.col == u.col ? 10 : 14;
            c.h = (std::abs(c.row - goalRow) + std::abs(c.col - goalCol)) * 10;
            c.f = c.g + c.h;
            if (!inside)
                continue;
            if (c.row == u.row && solid(u.col, u.row - 1) && c.row > goalRow)
                c.f = 1;
            else if (c.row == u.row && solid(u.col, u.row + 1) && c.row < goalRow)
                c.f = 1;
            else if (c.col == u.col && solid(u.col - 1, u.row) && goalCol < c.col)
                c.f = 1;
            else if (c.col == u.col && solid(u.col + 1, u.row) && c.col < goalCol)
                c.f = 1;
        }
        std::size_t best = candidates.size();
        for (std::size_t i = 0; i < candidates.size(); ++i)
            if (candidates[i].f < 100000 &&
                (best == candidates.size() || candidates[i].f < candidates[best].f))
                best = i;
        if (best < candidates.size())
            s.route.push_back(candidates[best]);
    }
    bool reached = atGoal();

    for (std::size_t i = 0; i < s.route.size(); ++i)
        for (std::size_t j = i + 2; j < s.route.size(); ++j) {
            const Pathingtile& a = s.route[i];
            const Pathingtile& b = s.route[j];
            bool straight = (a.row == b.row && std::abs(a.col - b.col) == 1) ||
                            (a.col == b.col && std::abs(a.row - b.row) == 1);
            if (straight) {
                s.route.erase(s.route.begin() + static_cast<long>(i) + 1,
                              s.route.begin() + static_cast<long>(j));
                j = i + 1;
            }
        }

    auto centre = [](const Pathingtile& t) {
        return sf::Vector2f(static_cast<float>(t.col) * 64.0f + 32.0f,
                            static_cast<float>(t.row) * 64.0f + 32.0f);
    };
    for (const Pathingtile& t : s.route)
        s.waypoints.push_back(centre(t));
    if (!reached)
        s.waypoints.push_back(centre(first));
    return s;
}
