#include "world/Pathfinding.h"
#include "PathSearchReference.h"
#include "core/Globals.h"
#include "world/Map.h"
#include "world/Mapentity.h"
#include "world/Maphandler.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace {

Map& emptyMap(int columns, int rows) {
    Maphandler::getInstance()->setCurrentMap(std::make_unique<Map>(columns, rows));
    return *Maphandler::getInstance()->currentMap();
}

void wall(Map& m, int col, int row) {
    m.walls[static_cast<std::size_t>(col)][static_cast<std::size_t>(row)].kind = 1;
}

void prop(Map& m, sf::Vector2f at) {
    auto e = std::make_unique<Mapentity>();
    e->position = at;
    m.furniture.push_back(std::move(e));
}

sf::Vector2f centre(int col, int row) {
    return {static_cast<float>(col) * 64.0f + 32.0f, static_cast<float>(row) * 64.0f + 32.0f};
}

std::vector<sf::Vector2f> search(sf::Vector2f start, sf::Vector2f goal, sf::Vector2i size = {0, 0}) {
    return Pathfinding::getInstance()->findPath(start, goal, size);
}

float randomIn(float lo, float hi) {
    return lo + (hi - lo) * static_cast<float>(std::rand()) / static_cast<float>(RAND_MAX);
}

// Runs the game's search and the plain one; true when routes, dead ends and waypoints all agree.
bool sameAsReference(sf::Vector2f start, sf::Vector2f goal, sf::Vector2i size) {
    ReferenceSearch expected = referencePath(Maphandler::getInstance()->currentMap(), start, goal, size);
    Pathfinding* p = Pathfinding::getInstance();
    std::vector<sf::Vector2f> got = p->findPath(start, goal, size);
    auto sameTiles = [](const std::vector<Pathingtile>& a, const std::vector<Pathingtile>& b) {
        if (a.size() != b.size())
            return false;
        for (std::size_t i = 0; i < a.size(); ++i)
            if (a[i].row != b[i].row || a[i].col != b[i].col || a[i].f != b[i].f || a[i].g != b[i].g ||
                a[i].h != b[i].h)
                return false;
        return true;
    };
    bool same = got == expected.waypoints && p->waypoints == got && sameTiles(p->route, expected.route) &&
                sameTiles(p->deadEnds, expected.deadEnds);
    if (!same)
        ADD_FAILURE() << "searches differ from (" << start.x << ", " << start.y << ") to (" << goal.x << ", "
                      << goal.y << ") size " << size.x << " x " << size.y;
    return same;
}

// A mix of the searches enemies make: anywhere to anywhere, chases, goals in
// walls, by the edges and on the start's own tile.
void compareRandomSearches(const Map& m, int count) {
    const float w = static_cast<float>(m.columns()) * 64.0f, h = static_cast<float>(m.rows()) * 64.0f;
    const sf::Vector2i sizes[] = {{0, 0}, {40, 40}, {64, 64}, {3, 51}};
    for (int i = 0; i < count; ++i) {
        sf::Vector2f start(randomIn(-100, w + 100), randomIn(-100, h + 100));
        sf::Vector2f goal;
        switch (i % 5) {
        case 0:
            goal = {randomIn(-100, w + 100), randomIn(-100, h + 100)};
            break;
        case 1:
            goal = start + sf::Vector2f(randomIn(-700, 700), randomIn(-700, 700));
            break;
        case 2: {
            int col = std::rand() % m.columns(), row = std::rand() % m.rows();
            for (int tries = 0;
                 tries < 200 &&
                 m.walls[static_cast<std::size_t>(col)][static_cast<std::size_t>(row)].kind != 1;
                 ++tries) {
                col = std::rand() % m.columns();
                row = std::rand() % m.rows();
            }
            goal = centre(col, row);
            break;
        }
        case 3:
            goal = {randomIn(0, 200), h - randomIn(0, 200)};
            break;
        default:
            goal = start + sf::Vector2f(randomIn(-20, 20), randomIn(-20, 20));
        }
        if (!sameAsReference(start, goal, sizes[std::rand() % 4]))
            return;
    }
}

TEST(PathSearch, MatchesThePlainListSearchOnGeneratedLevels) {
    Maphandler* handler = Maphandler::getInstance();
    int reached = 0, searches = 0;
    for (int level : {1, 12, 30})
        for (unsigned seed : {3u, 11u}) {
            std::srand(seed);
            levelNumber = level;
            handler->newMap(level);
            const Map& m = *handler->currentMap();
            ASSERT_FALSE(m.furniture.empty());
            compareRandomSearches(m, 120);
            // The routes themselves are walkable: neighbouring free tiles, start aside.
            for (int i = 0; i < 40; ++i) {
                std::vector<sf::Vector2f> path =
                    search(centre(std::rand() % m.columns(), std::rand() % m.rows()),
                           centre(std::rand() % m.columns(), std::rand() % m.rows()));
                const auto& route = Pathfinding::getInstance()->route;
                for (std::size_t k = 1; k < route.size(); ++k) {
                    EXPECT_EQ(m.walls[static_cast<std::size_t>(route[k].col)]
                                     [static_cast<std::size_t>(route[k].row)]
                                         .kind,
                              0);
                    EXPECT_LE(std::abs(route[k].col - route[k - 1].col), 1);
                    EXPECT_LE(std::abs(route[k].row - route[k - 1].row), 1);
                }
                ++searches;
                reached += path.size() == route.size();
            }
        }
    levelNumber = 1;
    // Enough of the walks arrive for the comparison to cover finished routes as well as given-up ones.
    EXPECT_GT(reached, searches / 5);
    EXPECT_LT(reached, searches);
}

TEST(PathSearch, MatchesThePlainListSearchOnSmallCrowdedMaps) {
    std::srand(5);
    for (int round = 0; round < 60; ++round) {
        Map& m = emptyMap(std::rand() % 12 + 1, std::rand() % 12 + 1);
        for (int col = 0; col < m.columns(); ++col)
            for (int row = 0; row < m.rows(); ++row) {
                if (std::rand() % 4 == 0)
                    wall(m, col, row);
                else if (std::rand() % 8 == 0)
                    prop(m, centre(col, row) + sf::Vector2f(randomIn(-31, 31), randomIn(-31, 31)));
            }
        prop(m, {-40, 100}); // off the grid: blocks nothing
        compareRandomSearches(m, 25);
    }
}

TEST(PathSearch, AGoalInsideAWallIsNeverReached) {
    Map& m = emptyMap(20, 20);
    wall(m, 12, 8);
    std::vector<sf::Vector2f> path = search(centre(4, 8), centre(12, 8));
    ASSERT_EQ(path.size(), Pathfinding::getInstance()->route.size() + 1);
    EXPECT_EQ(path.back(), centre(4, 8));
    EXPECT_TRUE(sameAsReference(centre(4, 8), centre(12, 8), {0, 0}));
}

TEST(PathSearch, APropInAOneTileDoorwayClosesIt) {
    Map& m = emptyMap(20, 20);
    for (int row = 0; row < 20; ++row)
        if (row != 8)
            wall(m, 10, row);
    EXPECT_EQ(search(centre(5, 8), centre(15, 8)).back(), centre(15, 8));
    prop(m, {10 * 64 + 50, 8 * 64 + 3});
    EXPECT_EQ(search(centre(5, 8), centre(15, 8)).back(), centre(5, 8));
    EXPECT_TRUE(sameAsReference(centre(5, 8), centre(15, 8), {0, 0}));
}

TEST(PathSearch, AWalkBacksOutOfADeadEndAndArrives) {
    Map& m = emptyMap(20, 20);
    // A cup open at the bottom, with the start inside and the goal above it.
    for (int col = 8; col <= 12; ++col)
        wall(m, col, 6);
    for (int row = 6; row <= 11; ++row) {
        wall(m, 8, row);
        wall(m, 12, row);
    }
    std::vector<sf::Vector2f> path = search(centre(10, 10), centre(10, 3));
    EXPECT_EQ(path.back(), centre(10, 3));
    EXPECT_FALSE(Pathfinding::getInstance()->deadEnds.empty());
    EXPECT_TRUE(sameAsReference(centre(10, 10), centre(10, 3), {0, 0}));
}

TEST(PathSearch, AShutInStartStaysWhereItIs) {
    Map& m = emptyMap(20, 20);
    for (int col = 4; col <= 6; ++col)
        for (int row = 4; row <= 6; ++row)
            if (col != 5 || row != 5)
                wall(m, col, row);
    EXPECT_EQ(search(centre(5, 5), centre(15, 15)), (std::vector<sf::Vector2f>{centre(5, 5), centre(5, 5)}));
}

} // namespace
