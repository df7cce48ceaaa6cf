#include "actors/AimHelp.h"

#include "EnemyWorld.h"
#include "actors/Shot.h"
#include "actors/ShotResolution.h"
#include "items/Weapon.h"

#include <cmath>
#include <iostream>
#include <numbers>

namespace {

constexpr float degree = std::numbers::pi_v<float> / 180;

sf::Vector2f turned(sf::Vector2f v, float degrees) {
    const float c = std::cos(degrees * degree), s = std::sin(degrees * degree);
    return {v.x * c - v.y * s, v.x * s + v.y * c};
}

bool near(sf::Vector2f a, sf::Vector2f b) {
    return std::hypot(a.x - b.x, a.y - b.y) < 1e-4f;
}

TEST_F(EnemyWorld, AimHelpTurnsOnlyOntoTheNearestAlienInSightInsideItsCone) {
    player->position = {160, 672};
    const sf::Vector2f right(1, 0);
    add(Enemy::rangedAlien, {900, 672}, 0);
    EXPECT_TRUE(near(bendAim(*map, player->position, turned(right, 5), 0, 1100), turned(right, 5))) << "off";
    EXPECT_TRUE(near(bendAim(*map, player->position, turned(right, 5), 1, 1100), right));
    EXPECT_TRUE(near(bendAim(*map, player->position, turned(right, 10), 1, 1100), turned(right, 10)));
    EXPECT_TRUE(near(bendAim(*map, player->position, turned(right, -10), 2, 1100), right));
    EXPECT_TRUE(near(bendAim(*map, player->position, turned(right, 20), 2, 1100), turned(right, 20)));
    EXPECT_TRUE(near(bendAim(*map, player->position, right, 2, 500), right)) << "beyond its reach";

    // A nearer alien wins; a human is never aimed at; a wall hides an alien.
    add(Enemy::human, {400, 700}, 0);
    Enemy& nearer = add(Enemy::meleeAlien, {600, 560}, 0);
    const sf::Vector2f toNearer = (nearer.position - player->position) / std::hypot(440.0f, 112.0f);
    EXPECT_TRUE(near(bendAim(*map, player->position, right, 2, 1100), toNearer));
    makeWall(*map, 7, 9);
    EXPECT_TRUE(near(bendAim(*map, player->position, turned(right, 3), 2, 1100), right));
}

// A pad's thumb aims at a ranged alien walking up and down a street 740
// pixels away, missing by up to 20 degrees either way; each aim fires one
// instant shot that the game's own shot resolution judges.
TEST_F(EnemyWorld, WithANoisyStickHighAimHelpHitsAMovingAlienAtLeastTwiceAsOftenAsNone) {
    player->position = {160, 640};
    Enemy& alien = add(Enemy::rangedAlien, {900, 640}, 0);
    int hits[3] = {};
    const int shots = 600;
    for (int level = 0; level < 3; ++level) {
        std::srand(29);
        for (int i = 0; i < shots; ++i) {
            alien.position = {900, 640 + 420 * std::sin(static_cast<float>(i) * 0.05f)};
            const sf::Vector2f to = alien.position - player->position;
            const float noise = static_cast<float>(std::rand() % 4001 - 2000) / 100;
            const sf::Vector2f aim =
                bendAim(*map, player->position, turned(to / std::hypot(to.x, to.y), noise), level, 1100);
            Shot shot;
            shot.angle = std::atan2(aim.y, aim.x);
            shot.damage = 10;
            shot.range = 1500;
            shot.noTracer = true;
            shot.origin = player->position;
            shot.tileWindow = shotTileWindow(shot.origin, shot.range, map->columns(), map->rows());
            map->shots.push_back(shot);
            alien.HP = alien.MaxHP;
            resolveShots(*map);
            hits[level] += alien.HP < alien.MaxHP;
        }
    }
    std::cout << "Hits of " << shots << " with aim help off, low, high: " << hits[0] << ", " << hits[1]
              << ", " << hits[2] << std::endl;
    EXPECT_GT(hits[0], 0);
    EXPECT_GT(hits[1], hits[0]);
    EXPECT_GE(hits[2], 2 * hits[0]);
}

} // namespace
