#include "world/Maphandler.h"

#include "actors/Enemy.h"
#include "actors/Player.h"
#include "core/Camera.h"
#include "core/Contenthandler.h"
#include "core/Globals.h"
#include "core/Random.h"
#include "effects/Particlehandler.h"
#include "effects/lighting/Light_Point.h"
#include "world/BrainwashMachine.h"
#include "world/CameraFollow.h"
#include "world/Furniture.h"
#include "world/LotTemplate.h"
#include "world/Map.h"
#include "world/StreetGrid.h"

#include <SFML/System/Clock.hpp>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>

namespace {

using namespace layoutcode;

void dumpLayout(const StreetGrid& B, const std::string& path) {
    std::filesystem::path target(path);
    std::error_code ignored;
    if (target.has_parent_path())
        std::filesystem::create_directories(target.parent_path(), ignored);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    std::string line;
    for (int Y = 0; Y < B.ny; ++Y) {
        line.clear();
        for (int X = 0; X < B.nx; ++X)
            line.push_back(static_cast<char>(B.get(X, Y)));
        line.push_back('\n');
        out << line;
    }
}

void fillLot(Map& map, int X0, int Y0, int rows, int cols) {
    LotTemplate plan(rows, cols);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c) {
            const LotCell& cell = plan.at(r, c);
            auto x = static_cast<std::size_t>(X0 + c), y = static_cast<std::size_t>(Y0 + r);
            map.walls[x][y].kind = cell.solid ? 1 : 0;
            TileArt& look = map.artAt(X0 + c, Y0 + r);
            if (cell.wallRect.width > 0)
                look.wall.rect = cell.wallRect;
            look.floor.rect = cell.floorRect;
        }
    for (const FurnitureSpot& spot : plan.furniture) {
        auto piece = std::make_unique<Furniture>(
            sf::Vector2f(static_cast<float>(spot.col), static_cast<float>(spot.row)), spot.immovable,
            spot.rect);
        piece->position = sf::Vector2f(static_cast<float>((X0 + spot.col) * 64 + 32),
                                       static_cast<float>((Y0 + spot.row) * 64 + 32));
        map.furniture.push_back(std::move(piece));
    }
}

void fillLots(Map& map, const StreetGrid& B) {
    for (const LotRect& lot : findLots(B)) {
        std::rand();
        fillLot(map, lot.col0, lot.row0, lot.rows, lot.cols);
    }
}

void placeMachine(Map& map) {
    int NX = map.columns(), NY = map.rows();
    for (;;) {
        int X0 = randInt(1, NX - 2), Y0 = randInt(1, NY - 2);
        if (map.isSolid(X0, Y0) || map.isSolid(X0 + 1, Y0) || map.isSolid(X0, Y0 + 1) ||
            map.isSolid(X0 + 1, Y0 + 1))
            continue;
        map.furniture.push_back(std::make_unique<BrainwashMachine>(
            sf::Vector2f(static_cast<float>(64 * X0 + 32), static_cast<float>(64 * Y0 + 32))));
        return;
    }
}

void finishEdges(Map& map) {
    Contenthandler* content = Contenthandler::getInstance();
    TilePicture shading;
    shading.setTexture(content->shadowTexture, true);
    for (int X = 0; X < map.columns(); ++X)
        for (int Y = 0; Y < map.rows(); ++Y) {
            const Tile& ground = map.layout[static_cast<std::size_t>(X)][static_cast<std::size_t>(Y)];
            TileArt& look = map.artAt(X, Y);
            look.wallEdge = shading;
            sf::IntRect rect;
            if (ground.kind >= lotLeft && ground.kind <= lotAbove)
                rect = sf::IntRect((ground.kind - lotLeft) * 96, 0, 96, 96);
            else if (ground.kind == rightColumn)
                rect = sf::IntRect(96, 0, 96, 96);
            if (rect.width > 0)
                look.floorEdge = {&content->floorShadowTexture, rect};
        }
}

} // namespace

EnemyCounts Maphandler::enemyCounts(int L) {
    const float level = static_cast<float>(L);
    EnemyCounts counts;
    const int fewestHumans = static_cast<int>(15 - 1.3f * level);
    const int mostHumans = static_cast<int>(std::floor(15 - 0.8f * level));
    counts.humans = std::clamp(randInt(fewestHumans, mostHumans), 0, 40);
    counts.ranged = randInt(L, static_cast<int>(1.5f * level));
    counts.melee =
        randInt(static_cast<int>(2 * level * 0.33333334f), static_cast<int>(3 * level * 0.33333334f));
    // The first two levels are the humans' alone, bar the odd ranged alien on the second.
    if (L < 3) {
        counts.ranged -= 2;
        counts.melee -= 2;
    }
    counts.ranged = std::max(counts.ranged, 0);
    counts.melee = std::max(counts.melee, 0);
    return counts;
}

void Maphandler::populate(Map& map, int L, sf::Vector2f player) {
    const EnemyCounts counts = enemyCounts(L);
    const int NX = map.columns(), NY = map.rows();
    if (NX < 5 || NY < 5)
        return;
    std::vector<sf::Vector2i> taken;
    auto place = [&](int kind) {
        // Every level has free tiles far from the player (streets run across
        // the whole map); the bound only keeps a broken map from hanging.
        for (int tries = 0; tries < 100000; ++tries) {
            sf::Vector2i t;
            sf::Vector2f corner;
            do {
                t = {randInt(2, NX - 3), randInt(2, NY - 3)};
                corner = {static_cast<float>(64 * t.x), static_cast<float>(64 * t.y)};
            } while (std::hypot(corner.x - player.x, corner.y - player.y) < 1280 && ++tries < 100000);
            // One enemy per tile, so that none starts inside another.
            bool occupied = std::find(taken.begin(), taken.end(), t) != taken.end();
            if (map.isSolid(t.x, t.y) || corner == player || occupied)
                continue;
            taken.push_back(t);
            auto enemy = std::make_unique<Enemy>(corner, kind);
            enemy->position = corner + sf::Vector2f(enemy->radius, enemy->radius);
            enemy->setDestination(enemy->position);
            map.enemies.push_back(std::move(enemy));
            return;
        }
    };
    for (int i = 0; i < counts.humans; ++i)
        place(Enemy::human);
    for (int i = 0; i < counts.ranged; ++i)
        place(Enemy::rangedAlien);
    for (int i = 0; i < counts.melee; ++i)
        place(Enemy::meleeAlien);
}

std::unique_ptr<ltbl::LightSystem> Maphandler::createLightSystem(const std::string& attenuationShaderPath) {
    auto system =
        std::make_unique<ltbl::LightSystem>(qdt::AABB::fromBounds({-1920, -1080}, {0, 0}),
                                            "data/lightFin.png", attenuationShaderPath, lightMapDivisor);
    if (!system->ready())
        std::exit(EXIT_FAILURE);
    return system;
}

Maphandler::Maphandler() {
    std::cout << "Maphandler's constructor was called" << std::endl;
    lightSystem = createLightSystem();
    lightMask.create(1920 / lightMapDivisor, 1080 / lightMapDivisor);
    lightMask.setSmooth(true);
    // The player's light reaches past every corner of the screen; its source
    // is a point, so the walls' shadows are sharp until the mask's blur.
    auto light = std::make_unique<ltbl::Light_Point>();
    light->radius = 2200;
    light->size = 1;
    light->linearizeFactor = 100;
    light->softSpreadAngle = 90;
    light->calculateAABB();
    playerLight = lightSystem->addLight(std::move(light));
    // No map yet: the level flow generates each level once, as it is entered.
}

Maphandler::~Maphandler() = default;

Map* Maphandler::currentMap() {
    if (maps.empty() || !maps[0]) {
        std::cout << "wtf ei ollu mappeja" << std::endl;
        return nullptr;
    }
    return maps[0].get();
}

bool Maphandler::lendLightSystem() {
    Map* map = currentMap();
    if (!map || !map->lighting.mask)
        return false;
    map->lighting.system = nullptr;
    return true;
}

void Maphandler::returnLightSystem() {
    Map* map = currentMap();
    if (map && map->lighting.mask)
        map->lighting.system = lightSystem.get();
}

void Maphandler::setCurrentMap(std::unique_ptr<Map> map) {
    maps.clear();
    maps.push_back(std::move(map));
}

std::unique_ptr<Map> Maphandler::generateMap(int NX, int NY, const std::string& dumpPath,
                                             const MapLighting& lights) {
    sf::Clock clock;
    Contenthandler* content = Contenthandler::getInstance();
    NX = std::max(NX, 1);
    NY = std::max(NY, 1);
    auto map = std::make_unique<Map>(NX, NY);
    // Every wall shows the whole sheet until its lot gives it a rectangle.
    TilePicture sheet;
    sheet.setTexture(content->tileTextures[0]);
    for (int X = 0; X < NX; ++X)
        for (int Y = 0; Y < NY; ++Y) {
            TileArt& look = map->artAt(X, Y);
            look.wall = sheet;
            map->layout[static_cast<std::size_t>(X)][static_cast<std::size_t>(Y)].kind = lot;
            look.floor = {sheet.texture, sf::IntRect(64 * (std::rand() % 3), 384, 64, 64)};
        }

    int a = randInt(1, NY / 11);
    int b = randInt(1, NX / 11 - 4);
    StreetGrid B(NX, NY);
    layStreets(B, a, b);
    shiftPass1(B, a);
    shiftPass2(B, b);
    shiftPass3(B);
    shiftPass4(B);
    classify(B);
    for (int X = 0; X < NX; ++X)
        for (int Y = 0; Y < NY; ++Y)
            map->layout[static_cast<std::size_t>(X)][static_cast<std::size_t>(Y)].kind = B.get(X, Y);
    dumpLayout(B, dumpPath);

    fillLots(*map, B);
    placeMachine(*map);
    finishEdges(*map);
    map->createHulls(lights);
    std::cout << "Map generation took " << clock.getElapsedTime().asMilliseconds() << " ms" << std::endl;
    return map;
}

void Maphandler::newMap(int level) {
    sf::Clock clock;
    Camera* camera = Camera::getInstance();
    camera->overlayColor = sf::Color(0, 0, 0, 0);
    maps.clear();
    // A death's blood and casings belong to the level left behind.
    Particlehandler::getInstance()->clear();

    int L = std::max(level, 1);
    int NY = 50 + randInt(L, 2 * L);
    int NX = 50 + randInt(L, 2 * L);
    maps.push_back(generateMap(NX, NY, "SaveData/map.txt", lighting()));

    Player::getInstance()->placeAtStart(*maps[0]);
    populate(*maps[0], level, Player::getInstance()->position);

    if (std::rand() % 4 == 1)
        camera->overlayColor = sf::Color(110, 40, 40, 48);
    if (std::rand() % 4 == 1)
        camera->overlayColor = sf::Color(16, 16, 64, 96);
    maps[0]->fingerprint = maps[0]->generatedFingerprint();

    std::cout << "Map generation took A TOTAL OF " << clock.getElapsedTime().asMilliseconds() << " ms"
              << std::endl;
    snapCameraToPlayer();
}

void Maphandler::report(LevelEvent event) {
    // Without a map there is no level to settle anything for.
    if (!maps.empty() && maps[0])
        maps[0]->events.push_back(std::move(event));
}
