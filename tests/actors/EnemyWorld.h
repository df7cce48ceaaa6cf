#pragma once
// Enemies on a small empty world: the test map of TestWorld.h at level 1,
// with the player parked out of everyone's way unless a test moves him.

#include "TestWorld.h"
#include "actors/Enemy.h"
#include "actors/Player.h"
#include "core/Globals.h"

#include <gtest/gtest.h>

class EnemyWorld : public ::testing::Test {
  protected:
    void SetUp() override {
        levelNumber = 1;
        map = &freshMap(7);
        player = Player::getInstance();
        player->resetForLevel(true);
        player->position = {1150, 1150};
        player->velocity = {0, 0};
    }
    void TearDown() override {
        player->resetForLevel(true);
        levelNumber = 1;
    }

    Enemy& add(int kind, sf::Vector2f at, int tier = 0) {
        map->enemies.push_back(std::make_unique<Enemy>(at, kind, tier));
        return static_cast<Enemy&>(*map->enemies.back());
    }
    // Runs the enemy's own update for the given seconds in small steps.
    static void run(Enemy& e, float seconds, float dt = 0.01f) {
        for (float t = 0; t < seconds; t += dt)
            e.update(dt);
    }

    Map* map = nullptr;
    Player* player = nullptr;
};
