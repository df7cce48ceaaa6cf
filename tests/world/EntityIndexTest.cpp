#include "world/EntityIndex.h"

#include "actors/Enemy.h"
#include "actors/Player.h"
#include "core/Globals.h"
#include "core/Random.h"
#include "world/Map.h"
#include "world/Mapentity.h"
#include "world/Maphandler.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <memory>
#include <utility>
#include <vector>

namespace {

bool touches(sf::Vector2f centre, float radius, const Mapentity& prop) {
    sf::Vector2f d = centre - prop.position;
    float reach = radius + prop.radius;
    return d.x * d.x + d.y * d.y <= reach * reach * 1.02f;
}

TEST(EntityIndex, NamesEveryEntityACircleCanTouchInListOrder) {
    std::srand(3);
    EntityIndex::List props;
    for (int i = 0; i < 2000; ++i) {
        auto prop = std::make_unique<Mapentity>();
        // Some off the 3200 x 2400 map, one lost to a bad number.
        prop->position = {static_cast<float>(std::rand() % 3800 - 300),
                          static_cast<float>(std::rand() % 3000 - 300)};
        prop->radius = static_cast<float>(std::rand() % 64 + 1);
        props.push_back(std::move(prop));
    }
    props[700]->position.x = std::numeric_limits<float>::quiet_NaN();
    EntityIndex index;
    index.build(props, {3200, 2400});
    ASSERT_TRUE(index.covers(props));
    // Some move after the build and are refiled, as in the world update.
    for (std::size_t i = 0; i < props.size(); i += 7) {
        props[i]->position += sf::Vector2f(static_cast<float>(std::rand() % 400 - 200), 150);
        index.moved(props, i);
    }
    // Others move between two builds, as between frames, and the next build finds them.
    index.clear();
    for (std::size_t i = 3; i < props.size(); i += 11)
        props[i]->position.y -= 170;
    index.build(props, {3200, 2400});
    // A few move after a moment noted on the index's clock: every circle one
    // of them touches, where it was or where it is, dates a change after it.
    const std::uint64_t noted = index.now();
    std::vector<std::pair<std::size_t, sf::Vector2f>> changed;
    for (std::size_t i = 5; i < props.size(); i += 131) {
        changed.emplace_back(i, props[i]->position);
        props[i]->position.x += static_cast<float>(std::rand() % 300);
        index.moved(props, i);
    }
    int quiet = 0;
    std::vector<std::size_t> near;
    for (int q = 0; q < 3000; ++q) {
        sf::Vector2f centre(static_cast<float>(std::rand() % 3800 - 300),
                            static_cast<float>(std::rand() % 3000 - 300));
        float radius = static_cast<float>(std::rand() % 48 + 1);
        std::size_t from = static_cast<std::size_t>(std::rand() % 3 == 0 ? std::rand() % 2000 : 0);
        index.near(centre, radius, from, near);
        ASSERT_TRUE(std::is_sorted(near.begin(), near.end()));
        ASSERT_TRUE(std::adjacent_find(near.begin(), near.end()) == near.end());
        ASSERT_TRUE(near.empty() || near.front() >= from);
        for (std::size_t i = from; i < props.size(); ++i) {
            if (touches(centre, radius, *props[i])) {
                ASSERT_TRUE(std::binary_search(near.begin(), near.end(), i))
                    << "prop " << i << ", query " << q;
            }
        }
        ASSERT_TRUE(from > 700 || std::binary_search(near.begin(), near.end(), 700u))
            << "the lost prop is named to every query";
        Mapentity was;
        for (const auto& [i, before] : changed) {
            was.position = before;
            was.radius = props[i]->radius;
            if (touches(centre, radius, *props[i]) || touches(centre, radius, was)) {
                ASSERT_GT(index.lastChangeNear(centre, radius), noted) << "prop " << i << ", query " << q;
            }
        }
        quiet += index.lastChangeNear(centre, radius) <= noted;
    }
    EXPECT_GT(quiet, 1000) << "most of the map has not changed";
    props.push_back(std::make_unique<Mapentity>());
    EXPECT_FALSE(index.covers(props)) << "a prop added after the build";
}

// Every enemy of a level moved next to the player, as in the awake-world benchmark.
void gatherAroundThePlayer(Map& map) {
    const sf::Vector2f player = Player::getInstance()->position;
    for (auto& e : map.enemies)
        for (int tries = 0; tries < 1000; ++tries) {
            int x = static_cast<int>(player.x / 64) + randInt(-6, 6);
            int y = static_cast<int>(player.y / 64) + randInt(-6, 6);
            if (x < 1 || y < 1 || x >= map.columns() - 1 || y >= map.rows() - 1 || map.isSolid(x, y))
                continue;
            e->position = {static_cast<float>(64 * x + 32), static_cast<float>(64 * y + 32)};
            static_cast<Enemy&>(*e).setDestination(e->position);
            break;
        }
}

struct Snapshot {
    std::vector<float> numbers;
    int pushedProps = 0;
};

// Plays a crowded level for a few seconds, with the enemies, props and
// bullets running into one another, and records where everything ended up.
Snapshot play(bool indexEntities) {
    Maphandler* handler = Maphandler::getInstance();
    // Made before the seed: the player's first equipment draws from it.
    Player::getInstance();
    std::srand(99);
    levelNumber = 40;
    handler->newMap(40);
    Map* map = handler->currentMap();
    map->lighting = {};
    map->indexEntities = indexEntities;
    gatherAroundThePlayer(*map);
    std::vector<sf::Vector2f> start;
    for (const auto& prop : map->furniture)
        start.push_back(prop->position);
    Player* player = Player::getInstance();
    for (int frame = 0; frame < 240; ++frame) {
        player->invulnerabilityTimer = 1;
        map->update(0.016f);
    }
    Snapshot s;
    for (const EntityList* list : {&map->enemies, &map->furniture})
        for (const auto& e : *list)
            s.numbers.insert(s.numbers.end(), {e->position.x, e->position.y, e->velocity.x, e->velocity.y,
                                               e->HP, e->rotation, static_cast<float>(e->bumpCount)});
    s.numbers.push_back(static_cast<float>(map->enemies.size()));
    s.numbers.push_back(static_cast<float>(map->furniture.size()));
    for (std::size_t i = 0; i < start.size() && i < map->furniture.size(); ++i)
        s.pushedProps += map->furniture[i]->position != start[i];
    return s;
}

TEST(EntityIndex, ACrowdedLevelPlaysExactlyAsWithoutTheIndexes) {
    Snapshot indexed = play(true);
    Snapshot walked = play(false);
    EXPECT_GT(indexed.pushedProps, 0) << "the crowd must run into props for the comparison to mean anything";
    ASSERT_EQ(indexed.numbers.size(), walked.numbers.size());
    for (std::size_t i = 0; i < indexed.numbers.size(); ++i)
        ASSERT_EQ(indexed.numbers[i], walked.numbers[i]) << "number " << i;
}

} // namespace
