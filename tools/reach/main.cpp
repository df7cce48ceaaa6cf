// vantreth_reach [LEVELS] [SEEDS]
// Counts the generated levels whose brainwash machine cannot be reached from
// the player's start without breaking a wall. Each of levels 1 to LEVELS
// (default 100) is generated SEEDS times (default 20) the way a new level
// is, the player placed on it, and the free tiles flooded from his tile,
// four ways, doors being gaps in the walls; a machine on no flooded tile
// stands in a closed room. A second count lets the immovable furniture block
// too. Run it from the run directory (it loads the tile art) under a display.

#include "actors/Player.h"
#include "core/Contenthandler.h"
#include "core/Globals.h"
#include "core/Random.h"
#include "world/Furniture.h"
#include "world/Map.h"
#include "world/Maphandler.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

namespace {

sf::Vector2i tileOf(sf::Vector2f p) {
    return {static_cast<int>(p.x / 64), static_cast<int>(p.y / 64)};
}

// Whether a four-way flood over the free tiles from `from` reaches `to`.
bool reaches(const Map& map, sf::Vector2i from, sf::Vector2i to, const std::vector<char>& blocked) {
    const int columns = map.columns(), rows = map.rows();
    auto index = [rows](sf::Vector2i t) { return static_cast<std::size_t>(t.x * rows + t.y); };
    std::vector<char> seen(static_cast<std::size_t>(columns * rows), 0);
    std::vector<sf::Vector2i> frontier{from};
    seen[index(from)] = 1;
    for (std::size_t i = 0; i < frontier.size(); ++i) {
        if (frontier[i] == to)
            return true;
        for (sf::Vector2i d :
             {sf::Vector2i(1, 0), sf::Vector2i(-1, 0), sf::Vector2i(0, 1), sf::Vector2i(0, -1)}) {
            sf::Vector2i n = frontier[i] + d;
            if (n.x < 0 || n.y < 0 || n.x >= columns || n.y >= rows || map.isSolid(n.x, n.y) ||
                seen[index(n)] || blocked[index(n)])
                continue;
            seen[index(n)] = 1;
            frontier.push_back(n);
        }
    }
    return false;
}

} // namespace

int main(int argc, char** argv) {
    const int levels = argc > 1 ? std::atoi(argv[1]) : 100;
    const int seeds = argc > 2 ? std::atoi(argv[2]) : 20;
    Contenthandler::getInstance();
    Player* player = Player::getInstance();
    const std::string dump = (std::filesystem::temp_directory_path() / "vantreth-reach-map.txt").string();
    int closed = 0, closedByFurniture = 0, total = 0;
    for (int level = 1; level <= levels; ++level) {
        int closedHere = 0;
        for (int seed = 1; seed <= seeds; ++seed) {
            std::srand(static_cast<unsigned>(seed * 1009 + level));
            levelNumber = level;
            int rows = 50 + randInt(level, 2 * level);
            int columns = 50 + randInt(level, 2 * level);
            std::unique_ptr<Map> map = Maphandler::generateMap(columns, rows, dump);
            player->placeAtStart(*map);
            sf::Vector2i start = tileOf(player->position);
            sf::Vector2i machine = tileOf(map->furniture.back()->position);
            std::vector<char> none(static_cast<std::size_t>(columns * rows), 0), heavy = none;
            for (const auto& prop : map->furniture) {
                const auto* piece = dynamic_cast<const Furniture*>(prop.get());
                sf::Vector2i t = tileOf(prop->position);
                if (piece && piece->frozen && t != start && t != machine)
                    heavy[static_cast<std::size_t>(t.x * rows + t.y)] = 1;
            }
            ++total;
            if (!reaches(*map, start, machine, none)) {
                ++closed;
                ++closedHere;
            } else if (!reaches(*map, start, machine, heavy)) {
                ++closedByFurniture;
            }
        }
        std::printf("level %3d: %2d of %d machines behind walls\n", level, closedHere, seeds);
    }
    std::printf("%d of %d levels (%.1f %%) have the machine behind walls; %d more (%.1f %%) behind "
                "immovable furniture\n",
                closed, total, 100.0 * closed / total, closedByFurniture, 100.0 * closedByFurniture / total);
    std::filesystem::remove(dump);
    return 0;
}
