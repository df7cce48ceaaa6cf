#include "actors/Player.h"
#include "core/Camera.h"
#include "core/Contenthandler.h"
#include "core/Globals.h"
#include "core/Settings.h"
#include "effects/lighting/LightSystem.h"
#include "effects/lighting/Light_Point.h"
#include "world/CameraFollow.h"
#include "world/Map.h"
#include "world/Maphandler.h"

#include <SFML/Graphics/Image.hpp>
#include <SFML/Graphics/RenderTexture.hpp>
#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Graphics/Sprite.hpp>
#include <SFML/Graphics/Texture.hpp>
#include <SFML/Graphics/VertexArray.hpp>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <string>

namespace {

// The blur the game used while its light map had the screen's full size:
// nine taps in a three-by-three box, straight into a full-size mask.
const char* nineTapBlur = R"(
uniform sampler2D texture;
uniform float blur_radius;
void main()
{
    vec2 uv = gl_TexCoord[0].xy;
    vec2 r = vec2(blur_radius, blur_radius * 1.7777);
    vec4 sum = vec4(0.0);
    for (int x = -1; x <= 1; ++x)
        for (int y = -1; y <= 1; ++y)
            sum += texture2D(texture, uv + vec2(float(x), float(y)) * r * 0.5);
    gl_FragColor = gl_Color * (sum / 9.0);
}
)";

sf::Image capture(sf::RenderWindow& window) {
    sf::Texture shot;
    shot.create(window.getSize().x, window.getSize().y);
    shot.update(window);
    return shot.copyToImage();
}

// The full-resolution picture of the same moment: the map drawn unlit, then
// a full-size light map of the same walls and light blurred into a full-size
// mask with the walls in sight, laid over the scene.
sf::Image fullResolutionPicture(Map& map, sf::RenderWindow& window) {
    MapLighting game = map.lighting;
    auto system = std::make_unique<ltbl::LightSystem>(qdt::AABB::fromBounds({-1920, -1080}, {0, 0}),
                                                      "data/lightFin.png",
                                                      "data/shaders/lightattenuationShader.frag", 1);
    auto light = std::make_unique<ltbl::Light_Point>();
    const auto& playerLight = static_cast<const ltbl::Light_Point&>(*game.playerLight);
    light->radius = playerLight.radius;
    light->size = playerLight.size;
    light->linearizeFactor = playerLight.linearizeFactor;
    light->softSpreadAngle = playerLight.softSpreadAngle;
    light->setCenter(playerLight.center);
    ltbl::Light* fullLight = system->addLight(std::move(light));
    sf::RenderTexture mask;
    mask.create(1920, 1080);
    // The walls' hulls move to the full-size system for the picture and back after it.
    map.createHulls({system.get(), fullLight, &mask});

    const sf::View& view = Camera::getInstance()->view;
    system->setView(view);
    system->renderLights();
    map.lighting = {};
    window.clear(sf::Color(96, 128, 96));
    map.draw();

    sf::Shader blur;
    EXPECT_TRUE(blur.loadFromMemory(nineTapBlur, sf::Shader::Fragment));
    blur.setUniform("texture", sf::Shader::CurrentTexture);
    blur.setUniform("blur_radius", 0.008f);
    const sf::Vector2f offset = view.getCenter() - view.getSize() / 2.0f;
    mask.setView(view);
    mask.clear(sf::Color::Black);
    sf::Sprite lightSprite(system->getLightTexture());
    lightSprite.setPosition(offset);
    mask.draw(lightSprite, &blur);
    map.rebuildMarkers(Player::getInstance()->position);
    sf::VertexArray squares(sf::Quads);
    for (const sf::Vector2f& m : map.markers) {
        sf::Vector2f corner((m.x - 0.5f) * 64, (m.y - 0.5f) * 64);
        for (sf::Vector2f at : {corner, corner + sf::Vector2f(64, 0), corner + sf::Vector2f(64, 64),
                                corner + sf::Vector2f(0, 64)})
            squares.append({at, sf::Color::White});
    }
    mask.draw(squares);
    mask.display();
    sf::Sprite maskSprite(mask.getTexture());
    maskSprite.setPosition(offset);
    window.setView(view);
    transparencyShader().setUniform("tint", sf::Glsl::Vec4(0, 0, 0, 0));
    window.draw(maskSprite,
                sf::RenderStates(sf::BlendMode(sf::BlendMode::One, sf::BlendMode::OneMinusSrcAlpha),
                                 sf::Transform(), nullptr, &transparencyShader()));
    sf::Image picture = capture(window);

    map.createHulls(game);
    return picture;
}

struct Difference {
    double mean = 0;     // mean absolute difference per colour channel, 0 to 255
    double farShare = 0; // share of pixels with a channel more than 24 apart
    int most = 0;        // the largest difference of a channel
    int beyondTwo = 0;   // pixels with a channel more than 2 apart
};

Difference compare(const sf::Image& a, const sf::Image& b) {
    const sf::Uint8* p = a.getPixelsPtr();
    const sf::Uint8* q = b.getPixelsPtr();
    const std::size_t pixels = static_cast<std::size_t>(a.getSize().x) * a.getSize().y;
    double total = 0;
    std::size_t far = 0;
    int most = 0, beyondTwo = 0;
    for (std::size_t i = 0; i < pixels; ++i) {
        int worst = 0;
        for (std::size_t c = 0; c < 3; ++c) {
            int d = std::abs(int(p[4 * i + c]) - int(q[4 * i + c]));
            total += d;
            worst = std::max(worst, d);
        }
        far += worst > 24;
        beyondTwo += worst > 2;
        most = std::max(most, worst);
    }
    return {total / (3.0 * static_cast<double>(pixels)),
            static_cast<double>(far) / static_cast<double>(pixels), most, beyondTwo};
}

// The benchmarks' level of the given number (seed 42), the camera on the player.
Map* levelOnScreen(int level) {
    std::srand(42);
    levelNumber = level;
    Maphandler::getInstance()->newMap(level);
    snapCameraToPlayer();
    return Maphandler::getInstance()->currentMap();
}

// The map drawn over the backdrop in the camera's view, as a frame draws it.
void drawMap(sf::RenderWindow& window, Map& map) {
    const sf::View& view = Camera::getInstance()->view;
    window.clear(sf::Color(96, 128, 96));
    window.setView(view);
    map.computeViewWindow(view.getCenter(), view.getSize());
    map.draw();
}

class LightMapResolution : public ::testing::TestWithParam<int> {};

// The bound: a mean of 1 is what a picture one level (of 255) brighter
// everywhere would show, below what an eye tells apart on a night scene.
// The quarter-size map stays far under it (about 0.1 and 0.2 at levels 1 and
// 30): it differs only along shadow edges, where the full map's blur left
// three hard steps 7.7 pixels apart and the smaller one leaves a smooth ramp
// over the same width, and on the rims of the walls in sight, softened over
// 4 screen pixels. Fewer than 1 % of the pixels may differ by more than 24,
// so that no difference gathers into a visible flaw either.
TEST_P(LightMapResolution, TheQuarterSizeLightMapLooksLikeTheFullOne) {
    sf::RenderWindow& window = gameWindow();
    window.create(sf::VideoMode(1920, 1080), "Vantreth", sf::Style::None);
    Maphandler* handler = Maphandler::getInstance();
    const int level = GetParam();
    std::srand(42);
    levelNumber = level;
    handler->newMap(level);
    Camera* camera = Camera::getInstance();
    camera->overlayColor = sf::Color::Transparent; // the tint is the next test's
    snapCameraToPlayer();
    Map* map = handler->currentMap();
    ASSERT_NE(map, nullptr);
    map->computeViewWindow(camera->view.getCenter(), camera->view.getSize());
    // The player's light goes to the player in the first draw.
    map->draw();
    window.clear(sf::Color(96, 128, 96));
    map->lighting.system->renderLights();
    map->draw();
    sf::Image reduced = capture(window);
    sf::Image full = fullResolutionPicture(*map, window);

    Difference d = compare(reduced, full);
    RecordProperty("mean_difference", std::to_string(d.mean));
    std::cout << "level " << level << ": mean difference " << d.mean << ", pixels far apart "
              << d.farShare * 100 << " %" << std::endl;
    EXPECT_LT(d.mean, 1.0);
    EXPECT_LT(d.farShare, 0.01);
    if (const char* folder = std::getenv("VANTRETH_SHOTS")) {
        reduced.saveToFile(std::string(folder) + "/lightmap_level" + std::to_string(level) + "_quarter.png");
        full.saveToFile(std::string(folder) + "/lightmap_level" + std::to_string(level) + "_full.png");
    }
    window.close();
}

INSTANTIATE_TEST_SUITE_P(Levels, LightMapResolution, ::testing::Values(1, 30));

// The tiles drawn from their cached picture match the tiles drawn one by one:
// still, turned by a shake, moved within the picture, after a wall in view
// breaks, and scrolled on across and down, far enough for the picture's
// texture to wrap around, then back.
TEST(TileCache, ThePictureOfTheTilesIsTheTilesDrawnStraight) {
    sf::RenderWindow& window = gameWindow();
    window.create(sf::VideoMode(1920, 1080), "Vantreth", sf::Style::None);
    std::srand(7);
    levelNumber = 30;
    Maphandler::getInstance()->newMap(30);
    Map* map = Maphandler::getInstance()->currentMap();
    ASSERT_NE(map, nullptr);
    map->lighting = {};
    Camera* camera = Camera::getInstance();
    snapCameraToPlayer();
    auto picture = [&](bool cached, bool copied = true) {
        map->cacheTiles = cached;
        map->groundCopied = copied;
        window.clear(sf::Color(96, 128, 96));
        window.setView(camera->view);
        map->computeViewWindow(camera->view.getCenter(), camera->view.getSize());
        map->draw();
        return capture(window);
    };
    // A wall near the middle of the screen, well inside what the view shows.
    sf::Vector2i wall(-1, -1);
    const sf::Vector2f middle = camera->view.getCenter();
    for (int x = static_cast<int>(middle.x / 64) - 12; x < static_cast<int>(middle.x / 64) + 12 && wall.x < 0;
         ++x)
        for (int y = static_cast<int>(middle.y / 64) - 6;
             y < static_cast<int>(middle.y / 64) + 6 && wall.x < 0; ++y)
            if (x > 0 && y > 0 && x < map->columns() && y < map->rows() &&
                map->walls[static_cast<std::size_t>(x)][static_cast<std::size_t>(y)].kind != 0)
                wall = {x, y};
    const sf::Vector2f walk[] = {{700, 0}, {0, 520}, {1300, 900}, {-2500, -1200}};
    for (int step = 0; step < 8; ++step) {
        if (step >= 4)
            camera->view.move(walk[step - 4]);
        if (step == 1)
            camera->view.setRotation(2.5f);
        if (step == 2) {
            camera->view.setRotation(0);
            camera->view.move(5, -4); // a shake's offset
        }
        if (step == 3) {
            ASSERT_GE(wall.x, 0);
            Tile& tile = map->walls[static_cast<std::size_t>(wall.x)][static_cast<std::size_t>(wall.y)];
            damageTile(tile, 1e6f, TileArt::corner(wall.x, wall.y));
            ASSERT_EQ(tile.kind, 0);
        }
        sf::Image cached = picture(true);
        sf::Image straight = picture(false);
        Difference d = compare(cached, straight);
        EXPECT_LT(d.mean, step == 1 ? 1.0 : 0.01) << "step " << step;
        EXPECT_LT(d.farShare, step == 1 ? 0.01 : 0.0001) << "step " << step;
    }
    // Copied into the window, the picture lands on the pixels a draw of it
    // lays, the view between pixels too, on the lines between them included.
    for (sf::Vector2f between : {sf::Vector2f(0.37f, 0.5f),
                                 {0.5f, 0.25f},
                                 {-0.25f, -0.75f},
                                 {0.125f, 0.5f},
                                 {0.25f, 0.1f},
                                 {0.0039f, -0.0039f}}) {
        camera->view.move(between);
        EXPECT_EQ(compare(picture(true), picture(true, false)).most, 0) << between.x << ", " << between.y;
    }
    camera->view.setRotation(0);
    window.close();
}

} // namespace

namespace {

// The tint laid in the light mask's pass, the player's patch after him, makes
// the picture that laying it over the whole finished scene made, still and
// turned by a shake; and the player paints only inside his patch.
TEST(LightMask, TheTintInTheMasksPassLooksAsOverTheScene) {
    sf::RenderWindow& window = gameWindow();
    window.create(sf::VideoMode(1920, 1080), "Vantreth", sf::Style::None);
    Map* map = levelOnScreen(30);
    ASSERT_NE(map, nullptr);
    Camera* camera = Camera::getInstance();
    Player* player = Player::getInstance();
    const sf::Color tint(16, 16, 64, 96);
    auto picture = [&](bool folded) {
        camera->overlayColor = folded ? tint : sf::Color::Transparent;
        drawMap(window, *map);
        player->draw();
        camera->overlayColor = tint;
        camera->drawOverlayOver(folded ? map->tintOwed.value_or(sf::FloatRect())
                                       : sf::FloatRect(0, 0, 1920, 1080));
        return capture(window);
    };
    for (float turn : {0.0f, 3.0f}) {
        camera->view.setRotation(turn);
        map->lighting.system->setView(camera->view);
        map->lighting.system->renderLights();
        sf::Image folded = picture(true);
        ASSERT_TRUE(map->tintOwed);
        EXPECT_GT(map->tintOwed->width, 0);
        Difference d = compare(folded, picture(false));
        // The colour is rounded to the window's levels once instead of twice
        // (about 0.3 and 2 at most): invisible, and far from a missing or
        // doubled tint (96 of 255 over the scene).
        EXPECT_LT(d.mean, 0.5) << turn;
        EXPECT_LE(d.most, 2) << turn;
    }
    camera->view.setRotation(0);
    // Everything the player draws, the blinking body and the bar included, falls in his patch.
    player->invulnerabilityTimer = 0.5f;
    player->showInvulnerabilityBar = true;
    map->draw();
    const sf::FloatRect patch = *map->tintOwed;
    window.clear(sf::Color::Black);
    window.setView(camera->view);
    player->draw();
    const sf::Image alone = capture(window);
    int painted = 0, outside = 0;
    for (unsigned y = 0; y < 1080; ++y)
        for (unsigned x = 0; x < 1920; ++x)
            if (alone.getPixel(x, y) != sf::Color::Black) {
                ++painted;
                outside += !patch.contains(static_cast<float>(x) + 0.5f, static_cast<float>(y) + 0.5f);
            }
    EXPECT_EQ(outside, 0);
    EXPECT_GT(painted, 100);
    camera->overlayColor = sf::Color::Transparent;
    window.close();
}

} // namespace

namespace {

// The cells where the mask is even, laid as flat colour, look as the mask's
// shader lays them, and so do the cells where it slopes, shaded from corner
// to corner: at levels 1 and 30, still and turned by a shake, with and
// without the tint and the player's patch.
TEST(LightMask, CellsLaidFlatOrShadedLookAsThroughTheShader) {
    sf::RenderWindow& window = gameWindow();
    window.create(sf::VideoMode(1920, 1080), "Vantreth", sf::Style::None);
    Camera* camera = Camera::getInstance();
    Player* player = Player::getInstance();
    for (int level : {1, 30}) {
        Map* map = levelOnScreen(level);
        ASSERT_NE(map, nullptr);
        auto picture = [&](bool flat) {
            map->flatCells = flat;
            drawMap(window, *map);
            player->draw();
            if (map->tintOwed)
                camera->drawOverlayOver(*map->tintOwed);
            else
                camera->drawOverlay();
            return capture(window);
        };
        for (float tolerance : {0.0f, 1.0f})
            for (float turn : {0.0f, 3.0f})
                for (sf::Color tint : {sf::Color::Transparent, sf::Color(60, 10, 10, 70)}) {
                    camera->view.setRotation(turn);
                    camera->overlayColor = tint;
                    map->slopeTolerance = tolerance;
                    map->lighting.system->setView(camera->view);
                    map->lighting.system->renderLights();
                    const sf::Image flat = picture(true);
                    Difference d = compare(flat, picture(false));
                    // An even cell's colour is worked out on the processor
                    // instead of the shader, and both round it once. A sloped
                    // cell's light strays from its slope by a level at most
                    // (0.88 of one in the picture), and its corners' colours
                    // are rounded before they are shaded across.
                    EXPECT_LE(d.most, tolerance > 0 ? 2 : 1) << level << " " << turn;
                    EXPECT_LT(d.mean, tolerance > 0 ? 0.1 : 0.05) << level << " " << turn;
                }
        map->flatCells = true;
        map->slopeTolerance = 1;
    }
    camera->view.setRotation(0);
    camera->overlayColor = sf::Color::Transparent;
    window.close();
}

} // namespace

namespace {

// The mask goes over everything of the world, in flat cells as well: an
// alien standing in the dark stays as dark as the ground under him, bars
// and badge included, while the same alien shows plainly without the light.
TEST(LightMask, AnAlienInTheDarkStaysDark) {
    sf::RenderWindow& window = gameWindow();
    window.create(sf::VideoMode(1920, 1080), "Vantreth", sf::Style::None);
    Map* map = levelOnScreen(30);
    ASSERT_NE(map, nullptr);
    ASSERT_FALSE(map->enemies.empty());
    Camera* camera = Camera::getInstance();
    camera->overlayColor = sf::Color::Transparent;
    auto picture = [&](bool lit) {
        MapLighting lighting = map->lighting;
        if (!lit)
            map->lighting = {};
        drawMap(window, *map);
        map->lighting = lighting;
        return capture(window);
    };
    auto brightest = [](const sf::Image& shot, sf::Vector2i at) {
        int most = 0;
        for (int y = at.y - 40; y < at.y + 40; ++y)
            for (int x = at.x - 40; x < at.x + 40; ++x) {
                const sf::Color c = shot.getPixel(static_cast<unsigned>(x), static_cast<unsigned>(y));
                most = std::max({most, int(c.r), int(c.g), int(c.b)});
            }
        return most;
    };
    // Full darkness leaves 12 % of the scene and a little of the night's blue.
    auto inTheDark = [](int lit, int unlit) { return lit <= unlit * 15 / 100 + 8; };
    map->draw();
    const sf::Image night = picture(true), day = picture(false);
    sf::Vector2i dark(-1, -1);
    for (int y = 200; y < 880 && dark.x < 0; y += 20)
        for (int x = 200; x < 1720 && dark.x < 0; x += 20)
            if (brightest(day, {x, y}) > 40 && inTheDark(brightest(night, {x, y}), brightest(day, {x, y})))
                dark = {x, y};
    ASSERT_GE(dark.x, 0) << "no dark place on the screen";
    map->enemies[0]->position = window.mapPixelToCoords(dark, camera->view);
    const int unlit = brightest(picture(false), dark);
    EXPECT_GT(unlit, 100) << "no alien was drawn where the dark was";
    EXPECT_TRUE(inTheDark(brightest(picture(true), dark), unlit)) << "the alien shows through the dark";
    window.close();
}

} // namespace

namespace {

// The light map painted and its mask made on the processor give the picture
// the renderer's light map and mask give: at levels 1, 30 and 60, still and
// turned by a shake, with the level's tint.
TEST(LightMask, ThePaintedLightLooksAsTheDrawnOne) {
    sf::RenderWindow& window = gameWindow();
    window.create(sf::VideoMode(1920, 1080), "Vantreth", sf::Style::None);
    Camera* camera = Camera::getInstance();
    for (int level : {1, 30, 60}) {
        Map* map = levelOnScreen(level);
        ASSERT_NE(map, nullptr);
        ltbl::LightSystem& system = *map->lighting.system;
        map->draw(); // the player's light goes to the player
        for (float turn : {0.0f, 3.0f}) {
            camera->view.setRotation(turn);
            auto picture = [&](bool painted) {
                system.paintedByProcessor = painted;
                system.setView(camera->view);
                system.renderLights();
                drawMap(window, *map);
                return capture(window);
            };
            const sf::Image drawn = picture(false);
            Difference d = compare(picture(true), drawn);
            // The two round the light, its blur and the mask to the same
            // level or one or two apart. Where a shadow's or a wall's edge
            // passes within the renderer's rounding of a pixel's centre, the
            // two may light that texel of the map or the mask differently: a
            // faint spot on a turned view (83 pixels of two million at level
            // 1, 6 levels at most). An unblurred mask leaves thousands.
            EXPECT_LT(d.mean, 0.15) << level << " " << turn;
            EXPECT_LE(d.beyondTwo, 200) << level << " " << turn;
        }
        system.paintedByProcessor = true;
    }
    camera->view.setRotation(0);
    window.close();
}

} // namespace
