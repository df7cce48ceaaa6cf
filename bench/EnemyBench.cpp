// One world step of a generated level with its whole enemy population
// awake: every enemy is moved onto a free tile within its sight range of
// the player, so each one looks for him, hunts, shoots or charges every
// frame. Run from the run directory.
#include "actors/Enemy.h"
#include "actors/Player.h"
#include "core/Camera.h"
#include "core/Globals.h"
#include "core/Random.h"
#include "world/Map.h"
#include "world/Maphandler.h"

#include <SFML/OpenGL.hpp>
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdlib>

namespace {

void gatherAroundThePlayer(Map& map) {
    const sf::Vector2f player = Player::getInstance()->position;
    for (auto& e : map.enemies) {
        auto* enemy = static_cast<Enemy*>(e.get());
        for (int tries = 0; tries < 1000; ++tries) {
            int x = static_cast<int>(player.x / 64) + randInt(-11, 11);
            int y = static_cast<int>(player.y / 64) + randInt(-11, 11);
            sf::Vector2f at(static_cast<float>(64 * x + 32), static_cast<float>(64 * y + 32));
            if (x < 1 || y < 1 || x >= map.columns() - 1 || y >= map.rows() - 1 || map.isSolid(x, y) ||
                std::hypot(at.x - player.x, at.y - player.y) > 700)
                continue;
            enemy->position = at;
            enemy->setDestination(at);
            enemy->searchRadius = 0;
            break;
        }
    }
}

// lit = false leaves out the light map's rendering, which is the same with
// or without enemies, to show what the actors themselves cost.
void awakeWorld(benchmark::State& state, bool lit) {
    const int level = static_cast<int>(state.range(0));
    Maphandler* handler = Maphandler::getInstance();
    std::srand(42);
    levelNumber = level;
    handler->newMap(level);
    Map* map = handler->currentMap();
    gatherAroundThePlayer(*map);
    // The light map is drawn for the view the camera has after a level's first frame.
    if (lit)
        map->lighting.system->setView(Camera::getInstance()->view);
    else
        map->lighting = {};
    // A second of play first, so the enemies are spread out hunting rather than standing where they were put.
    for (int frame = 0; frame < 60; ++frame)
        map->update(0.016f);
    Player* player = Player::getInstance();
    for (auto _ : state) {
        player->invulnerabilityTimer = 1; // the enemies' crowd should not end the run mid-measure
        map->update(0.016f);
        // The light map's drawing is part of the step, however late the renderer does it.
        if (lit)
            glFinish();
    }
    state.counters["enemies"] = static_cast<double>(map->enemies.size());
    state.counters["bullets"] = static_cast<double>(map->bullets.size());
}
void WorldStepAwake(benchmark::State& state) {
    awakeWorld(state, true);
}
void WorldStepAwakeUnlit(benchmark::State& state) {
    awakeWorld(state, false);
}

BENCHMARK(WorldStepAwake)
    ->Arg(1)
    ->Arg(10)
    ->Arg(30)
    ->Arg(60)
    ->Arg(100)
    ->Arg(200)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(WorldStepAwakeUnlit)->Arg(10)->Arg(30)->Arg(60)->Arg(100)->Arg(200)->Unit(benchmark::kMicrosecond);

} // namespace
