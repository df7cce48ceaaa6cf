#include "actors/Player.h"
#include "core/Camera.h"
#include "core/Settings.h"
#include "effects/lighting/LightSystem.h"
#include "effects/lighting/Light_Point.h"
#include "world/Map.h"
#include "world/Maphandler.h"

#include <SFML/Graphics/Image.hpp>
#include <SFML/Graphics/RenderTexture.hpp>
#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Graphics/Texture.hpp>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <unistd.h>

namespace {

// A small walled map lit the way the game lights its levels. The system is
// declared before the map so the map, which hands its hulls back, goes first.
class LitMap : public ::testing::Test {
  protected:
    void SetUp() override {
        system = std::make_unique<ltbl::LightSystem>(qdt::AABB::fromBounds({-1920, -1080}, {0, 0}),
                                                     "data/lightFin.png",
                                                     "data/shaders/lightattenuationShader.frag");
        ASSERT_TRUE(system->ready());
        auto point = std::make_unique<ltbl::Light_Point>();
        point->radius = 2200;
        point->size = 1;
        point->calculateAABB();
        light = system->addLight(std::move(point));
        mask.create(1920, 1080);
        map = std::make_unique<Map>(40, 20);
    }
    void solid(int x, int y) {
        map->walls[static_cast<std::size_t>(x)][static_cast<std::size_t>(y)].kind = 1;
    }
    Tile& wall(int x, int y) { return map->walls[static_cast<std::size_t>(x)][static_cast<std::size_t>(y)]; }
    MapLighting lighting() { return {system.get(), light, &mask}; }

    std::unique_ptr<ltbl::LightSystem> system;
    ltbl::Light* light = nullptr;
    sf::RenderTexture mask;
    std::unique_ptr<Map> map;
};

TEST_F(LitMap, EverySolidWallGetsOneHullCentredOnItsTileInLightSpace) {
    solid(3, 4);
    solid(10, 0);
    map->createHulls(lighting());
    ASSERT_EQ(system->hullCount(), 2u);
    ASSERT_NE(wall(3, 4).hull, nullptr);
    EXPECT_EQ(wall(4, 4).hull, nullptr);
    const float height = Camera::getInstance()->view.getSize().y;
    EXPECT_EQ(wall(3, 4).hull->worldCenter, sf::Vector2f(3 * 64 + 32, height - (4 * 64 + 32)));
    // Both carry the tile's square, centred on the tile.
    EXPECT_EQ(wall(10, 0).hull->vertices, wall(3, 4).hull->vertices);
    EXPECT_EQ(wall(3, 4).hull->aabb.upperBound - wall(3, 4).hull->aabb.lowerBound, sf::Vector2f(64, 64));
    EXPECT_FALSE(wall(3, 4).hull->renderLightOverHull) << "the wall's own area stays dark";
}

TEST_F(LitMap, ABrokenWallAndAFinishedMapHandTheirHullsBack) {
    solid(3, 4);
    solid(5, 4);
    map->createHulls(lighting());
    Tile& broken = wall(3, 4);
    broken.armour = 0;
    broken.hitPoints = 10;
    damageTile(broken, 5, {});
    EXPECT_NE(broken.hull, nullptr) << "a worn wall still casts its shadow";
    damageTile(broken, 20, {});
    EXPECT_EQ(broken.kind, 0);
    EXPECT_EQ(broken.hull, nullptr);
    EXPECT_EQ(system->hullCount(), 1u);
    map.reset();
    EXPECT_EQ(system->hullCount(), 0u);
}

TEST_F(LitMap, TheMaskIsLitAroundThePlayerDarkBehindAWallAndWhiteOnWallsInSight) {
    // A wall column at x = 12 between the player (x = 6) and the far floor.
    for (int y = 2; y < 16; ++y)
        solid(12, y);
    map->createHulls(lighting());
    Camera* camera = Camera::getInstance();
    camera->screenMode = false;
    camera->view = sf::View(sf::FloatRect(0, 0, 1920, 1080));
    map->computeViewWindow(camera->view.getCenter(), camera->view.getSize());
    Player::getInstance()->position = {6 * 64 + 32, 8 * 64 + 32};
    // The light map follows the previous frame's draw, as in the game.
    map->draw();
    map->update(0);
    map->computeViewWindow(camera->view.getCenter(), camera->view.getSize());
    map->draw();
    const std::vector<std::uint8_t>& laid = map->laidMask();
    ASSERT_EQ(laid.size(), std::size_t{1920} * 1080);
    auto at = [&](float x, float y) {
        return 3 * laid[static_cast<std::size_t>(y) * 1920 + static_cast<std::size_t>(x)];
    };
    EXPECT_GT(at(7 * 64, 8 * 64 + 32), 500) << "next to the player";
    EXPECT_LT(at(20 * 64 + 32, 8 * 64 + 32), 20) << "behind the wall";
    EXPECT_GT(at(64 + 32, 16 * 64), 200) << "in the open on the near side";
    EXPECT_EQ(at(12 * 64 + 32, 8 * 64 + 32), 3 * 255) << "the wall facing the player reads clearly";
}

TEST_F(LitMap, TheShadowsStayOnTheirWallsWhenTheViewTurns) {
    // Two wall tiles right of the player throw a narrow wedge of shadow
    // across the screen. Turned with the view, the wedge must still cover
    // the same world points in the picture; turned twice, or not at all, it
    // would miss them by hundreds of pixels out there.
    solid(18, 8);
    solid(19, 8);
    map->createHulls(lighting());
    sf::RenderWindow& window = gameWindow();
    window.create(sf::VideoMode(1920, 1080), "Vantreth", sf::Style::None);
    Camera* camera = Camera::getInstance();
    camera->screenMode = false;
    camera->view = sf::View(sf::FloatRect(0, 0, 1920, 1080));
    Player::getInstance()->position = {15 * 64, 8 * 64 + 32};
    map->computeViewWindow(camera->view.getCenter(), camera->view.getSize());
    // The light is read off a white page: the map has no tile pictures to lay over it.
    map->cacheTiles = false;
    map->draw();
    map->update(0);
    // A shake turns the view between the world update and the draw.
    camera->view.setRotation(20);
    window.clear(sf::Color::White);
    map->draw();
    sf::Texture shot;
    shot.create(1920, 1080);
    shot.update(window);
    sf::Image image = shot.copyToImage();
    auto at = [&](sf::Vector2f world) {
        sf::Vector2i p = window.mapCoordsToPixel(world, camera->view);
        sf::Color c = image.getPixel(static_cast<unsigned>(p.x), static_cast<unsigned>(p.y));
        return c.r + c.g + c.b;
    };
    for (float x : {1600.0f, 1700.0f, 1800.0f})
        EXPECT_LT(at({x, 8 * 64 + 32}), 150) << "in the wedge at x = " << x;
    for (float x : {1600.0f, 1700.0f, 1800.0f}) {
        EXPECT_GT(at({x, 280}), 250) << "above the wedge at x = " << x;
        EXPECT_GT(at({x, 800}), 250) << "below the wedge at x = " << x;
    }
    window.close();
}

TEST(SightMarkers, OnlyWallsWithAClearLineToThePlayerAreMarked) {
    Map map(30, 20);
    for (int y = 0; y < 20; ++y)
        map.walls[10][static_cast<std::size_t>(y)].kind = 1;
    map.walls[14][5].kind = 1;
    map.walls[3][5].kind = 1;
    map.viewX0 = 0;
    map.viewX1 = 30;
    map.viewY0 = 0;
    map.viewY1 = 20;
    map.rebuildMarkers({5 * 64 + 10, 5 * 64 + 50});
    auto marked = [&](float x, float y) {
        return std::find(map.markers.begin(), map.markers.end(), sf::Vector2f(x + 0.5f, y + 0.5f)) !=
               map.markers.end();
    };
    EXPECT_TRUE(marked(3, 5)) << "a wall beside the player";
    EXPECT_TRUE(marked(10, 5)) << "the wall the player faces";
    EXPECT_FALSE(marked(14, 5)) << "a wall behind another";
    EXPECT_EQ(map.markers.size(), 20u + 1u)
        << "the whole near face of the long wall, and the one beside the player";
}

} // namespace
