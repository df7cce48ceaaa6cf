#include "actors/Enemy.h"
#include "actors/Player.h"
#include "core/Globals.h"
#include "world/Map.h"
#include "world/Maphandler.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace {

TEST(EnemyPopulation, EnemiesStartOnTheirOwnFreeTilesFarFromThePlayer) {
    for (int level : {1, 4}) {
        std::srand(static_cast<unsigned>(level) * 11);
        levelNumber = level;
        Maphandler::getInstance()->newMap(level);
        Map& map = *Maphandler::getInstance()->currentMap();
        const sf::Vector2f player = Player::getInstance()->position;
        if (level == 1) {
            EXPECT_GE(map.enemies.size(), 13u);
            EXPECT_LE(map.enemies.size(), 14u);
        }
        std::vector<sf::Vector2i> tiles;
        int kindBefore = 0;
        for (auto& e : map.enemies) {
            // Humans come first, then ranged aliens, then melee aliens.
            EXPECT_GE(e->getKind(), kindBefore);
            kindBefore = e->getKind();
            sf::Vector2f corner = e->position - sf::Vector2f(e->radius, e->radius);
            EXPECT_GE(std::hypot(corner.x - player.x, corner.y - player.y), 1280);
            sf::Vector2i t(static_cast<int>(corner.x) / 64, static_cast<int>(corner.y) / 64);
            EXPECT_FALSE(map.isSolid(t.x, t.y));
            EXPECT_EQ(std::count(tiles.begin(), tiles.end(), t), 0);
            tiles.push_back(t);
            EXPECT_EQ(e->getState(), 0);
        }
    }
    levelNumber = 1;
}

} // namespace
