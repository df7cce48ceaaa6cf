#include "world/Maphandler.h"

#include "actors/Enemy.h"
#include "actors/Player.h"
#include "app/Camera.h"
#include "app/Contenthandler.h"
#include "app/Globals.h"
#include "app/Random.h"
#include "effects/Particlehandler.h"
#include "effects/lighting/Light_Point.h"
#include "world/BrainwashMachine.h"
#include "world/Furniture.h"
#include "world/LotTemplate.h"
#include "world/Map.h"

#include <SFML/System/Clock.hpp>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>

namespace {

using namespace layoutcode;

// The street layout while it is being generated: one code per tile, column
// major. Reads outside the grid see the nearest tile; writes outside it are dropped.
class StreetGrid {
  public:
    StreetGrid(int columns, int rows)
        : nx(columns), ny(rows),
          codes(static_cast<std::size_t>(columns) * static_cast<std::size_t>(rows), lot) {}

    unsigned char get(int x, int y) const {
        x = std::clamp(x, 0, nx - 1);
        y = std::clamp(y, 0, ny - 1);
        return codes[index(x, y)];
    }
    void set(int x, int y, unsigned char code) {
        if (x >= 0 && y >= 0 && x < nx && y < ny)
            codes[index(x, y)] = code;
    }

    int nx, ny;

  private:
    std::size_t index(int x, int y) const {
        return static_cast<std::size_t>(x) * static_cast<std::size_t>(ny) + static_cast<std::size_t>(y);
    }
    std::vector<unsigned char> codes;
};

int ceilDiv(int a, int b) {
    return (a + b - 1) / b;
}

void layStreets(StreetGrid& B, int a, int b) {
    int NX = B.nx, NY = B.ny;
    int cellA = std::max(ceilDiv(NY, a + 1), 11);
    for (int k = 1; k <= a; ++k)
        for (int X = 0; X < NX; ++X) {
            B.set(X, cellA * k - 2, lotAbove);
            B.set(X, cellA * k - 1, lotBelow);
        }
    if (b <= 0)
        return;
    int cellB = ceilDiv(NX, b + 1);
    for (int k = 1; k <= b; ++k)
        for (int Y = 0; Y < NY; ++Y) {
            B.set(cellB * k - 2, Y, lotLeft);
            B.set(cellB * k - 1, Y, rightColumn);
        }
}

// Removes some vertical street segments below a horizontal street.
void shiftPass1(StreetGrid& B, int a) {
    int NX = B.nx, NY = B.ny;
    for (int Y = 1; Y <= NY - 2; ++Y) {
        int budget = a;
        for (int X = 0; X <= NX - 2; ++X) {
            if (!(B.get(X + 1, Y) == lotBelow && B.get(X, Y + 1) == rightColumn && budget > 0 &&
                  std::rand() % 2 == 1))
                continue;
            --budget;
            int len = 1;
            if (B.get(X + 1, Y + 1) == lot) {
                bool first = true;
                for (int y = Y + 1; y < NY && B.get(X + 1, y) == lot; ++y) {
                    B.set(X - 1, y, B.get(X - 2, y));
                    B.set(X, y, B.get(X - 1, y));
                    if (first) {
                        B.set(X - 1, Y, lotBelow);
                        B.set(X, Y, lotBelow);
                        first = false;
                    }
                    ++len;
                }
            }
            if (Y + 2 + len < NY && B.get(X, Y + len + 1) != lot) {
                if (B.get(X + 1, Y + len + 2) == lot) {
                    for (int y : {Y + len, Y + len + 1}) {
                        B.set(X - 1, y, B.get(X + 1, y));
                        B.set(X, y, B.get(X + 1, y));
                    }
                } else {
                    B.set(X - 1, Y + len, lotLeft);
                    B.set(X, Y + len, rightColumn);
                    B.set(X - 1, Y + len + 1, lotLeft);
                    B.set(X, Y + len + 1, rightColumn);
                }
            }
        }
    }
}

// Removes some horizontal street segments right of a vertical street.
void shiftPass2(StreetGrid& B, int b) {
    int NX = B.nx, NY = B.ny;
    for (int Y = 1; Y <= NY - 3; ++Y) {
        int budget = b;
        for (int X = 0; X <= NX - 3; ++X) {
            if (!((X == 0 || B.get(X, Y) == rightColumn) && B.get(X + 1, Y) == lotAbove &&
                  B.get(X + 1, Y + 1) == lotBelow && B.get(X, Y + 2) == rightColumn &&
                  B.get(X, Y - 1) != lot && budget > 0 && std::rand() % 2 == 1))
                continue;
            --budget;
            B.set(X, Y, B.get(X, Y - 1));
            B.set(X, Y + 1, B.get(X, Y + 2));
            for (int x = X + 1;; ++x) {
                B.set(x, Y, B.get(x, Y - 1));
                B.set(x, Y + 1, B.get(x, Y + 2));
                if (!(x + 1 < NX && B.get(x + 1, Y) == lotAbove))
                    break;
            }
        }
    }
}

// Extends dangling vertical streets upward to the street above.
void shiftPass3(StreetGrid& B) {
    int NX = B.nx, NY = B.ny;
    for (int Y = 1; Y <= NY - 2; ++Y)
        for (int X = 1; X <= NX - 2; ++X) {
            if (!(B.get(X, Y) == lotLeft && B.get(X + 1, Y) == rightColumn && B.get(X, Y + 1) == lotLeft &&
                  B.get(X, Y - 1) == lot && B.get(X + 2, Y) == lot))
                continue;
            for (int y = Y; y > 0 && B.get(X - 1, y) != lotAbove; --y) {
                B.set(X, y, lotLeft);
                B.set(X + 1, y, rightColumn);
            }
        }
}

// Extends dangling vertical streets downward to the street or edge below.
void shiftPass4(StreetGrid& B) {
    int NX = B.nx, NY = B.ny;
    for (int Y = 1; Y <= NY - 2; ++Y)
        for (int X = 1; X <= NX - 2; ++X) {
            if (!(B.get(X, Y) == lotLeft && B.get(X + 1, Y) == rightColumn && B.get(X, Y + 1) == lot &&
                  B.get(X - 1, Y) == lot && B.get(X + 2, Y) == lotBelow))
                continue;
            for (int y = Y + 1; y < NY; ++y) {
                B.set(X, y, lotLeft);
                B.set(X + 1, y, rightColumn);
                if (y == NY - 1 || B.get(X, y + 1) != lot)
                    break;
            }
        }
}

// Each street tile learns on which side its lot lies.
void classify(StreetGrid& B) {
    for (int X = 0; X < B.nx; ++X)
        for (int Y = 0; Y < B.ny; ++Y) {
            if (B.get(X, Y) == lot)
                continue;
            bool left = B.get(X - 1, Y) == lot, right = B.get(X + 1, Y) == lot;
            bool above = B.get(X, Y - 1) == lot, below = B.get(X, Y + 1) == lot;
            int count = left + right + above + below;
            unsigned char code = noSide;
            if (count == 1)
                code = below ? lotBelow : above ? lotAbove : right ? lotRight : lotLeft;
            B.set(X, Y, code);
        }
}

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
            Tile& wall = map.walls[x][y];
            wall.kind = cell.solid ? 1 : 0;
            if (cell.wallRect.width > 0)
                wall.sprite.setTextureRect(cell.wallRect);
            map.layout[x][y].sprite.setTextureRect(cell.floorRect);
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
    int NX = B.nx, NY = B.ny;
    for (int Y = 0; Y < NY; ++Y)
        for (int X = 0; X < NX; ++X) {
            if (B.get(X, Y) != lot)
                continue;
            if (!(X == 0 || isStreet(B.get(X - 1, Y))) || !(Y == 0 || isStreet(B.get(X, Y - 1))))
                continue;
            int X1 = X;
            while (X1 < NX - 2 && !isStreet(B.get(X1 + 1, Y)))
                ++X1;
            int Y1 = Y;
            while (Y1 < NY - 2 && !isStreet(B.get(X, Y1 + 1)))
                ++Y1;
            std::rand();
            fillLot(map, X, Y, Y1 - Y + 1, X1 - X + 1);
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
    for (int X = 0; X < map.columns(); ++X)
        for (int Y = 0; Y < map.rows(); ++Y) {
            Tile& wall = map.walls[static_cast<std::size_t>(X)][static_cast<std::size_t>(Y)];
            Tile& ground = map.layout[static_cast<std::size_t>(X)][static_cast<std::size_t>(Y)];
            sf::Vector2f corner(static_cast<float>(64 * X - 16), static_cast<float>(64 * Y - 16));
            wall.edgeSprite.setTexture(content->shadowTexture, true);
            wall.edgeSprite.setPosition(corner);
            sf::IntRect rect;
            if (ground.kind >= lotLeft && ground.kind <= lotAbove)
                rect = sf::IntRect((ground.kind - lotLeft) * 96, 0, 96, 96);
            else if (ground.kind == rightColumn)
                rect = sf::IntRect(96, 0, 96, 96);
            if (rect.width > 0) {
                ground.edgeSprite.setTexture(content->floorShadowTexture);
                ground.edgeSprite.setTextureRect(rect);
            }
            ground.edgeSprite.setPosition(corner);
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
    // The first level is ready before anyone asks, so the map is never missing in a level.
    constructing = true;
    levelNumber = 1;
    newMap(1);
    constructing = false;
}

Maphandler::~Maphandler() = default;

Map* Maphandler::currentMap() {
    if (maps.empty() || !maps[0]) {
        std::cout << "wtf ei ollu mappeja" << std::endl;
        return nullptr;
    }
    return maps[0].get();
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
    for (int X = 0; X < NX; ++X)
        for (int Y = 0; Y < NY; ++Y) {
            sf::Vector2f at(static_cast<float>(64 * X), static_cast<float>(64 * Y));
            Tile& wall = map->walls[static_cast<std::size_t>(X)][static_cast<std::size_t>(Y)];
            wall.sprite.setTexture(content->tileTextures[0]);
            wall.sprite.setPosition(at);
            Tile& ground = map->layout[static_cast<std::size_t>(X)][static_cast<std::size_t>(Y)];
            ground.kind = lot;
            ground.sprite.setTexture(content->tileTextures[0]);
            ground.sprite.setTextureRect(sf::IntRect(64 * (std::rand() % 3), 384, 64, 64));
            ground.sprite.setPosition(at);
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
    // A death's blood and casings belong to the run that just ended. The
    // first map is made when the handler is first asked for, perhaps by a
    // particle in mid-update, and there is nothing from before to clear.
    if (!constructing)
        Particlehandler::getInstance()->clear();

    int L = std::max(levelNumber, 1);
    int NY = 50 + randInt(L, 2 * L);
    int NX = 50 + randInt(L, 2 * L);
    levelNumber = level;
    maps.push_back(generateMap(NX, NY, "SaveData/map.txt", lighting()));

    Player::getInstance()->placeAtStart(*maps[0]);
    populate(*maps[0], levelNumber, Player::getInstance()->position);

    if (std::rand() % 4 == 1)
        camera->overlayColor = sf::Color(110, 40, 40, 48);
    if (std::rand() % 4 == 1)
        camera->overlayColor = sf::Color(16, 16, 64, 96);

    std::cout << "Map generation took A TOTAL OF " << clock.getElapsedTime().asMilliseconds() << " ms"
              << std::endl;
    if (!constructing)
        camera->snapToTarget();
}
