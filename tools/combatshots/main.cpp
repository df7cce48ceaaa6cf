// Renders a firefight and a grenade blast in a freshly generated level to
// PNG files, so the look of shots, debris and explosions can be judged
// without playing. Run it from the run directory (it loads the assets from
// there): vantreth_combatshots OUTPUT_DIR

#include "actors/Player.h"
#include "app/Game.h"
#include "app/GameState.h"
#include "app/GameStateHandler.h"
#include "core/Camera.h"
#include "core/Globals.h"
#include "core/InputState.h"
#include "core/Settings.h"
#include "items/ItemDatabase.h"
#include "screens/LevelFlow.h"
#include "world/CameraFollow.h"
#include "world/Map.h"
#include "world/Maphandler.h"

#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Graphics/Texture.hpp>

#include <cmath>
#include <cstdlib>
#include <iostream>
#include <limits>
#include <memory>
#include <string>
#include <utility>

namespace {

const sf::Vector2u screen(1920, 1080);

template <typename T>
std::unique_ptr<T> copyOf(const std::vector<T>& templates, const std::string& basename) {
    for (const T& t : templates)
        if (t.getBasename() == basename)
            return std::make_unique<T>(t);
    return nullptr;
}

// One frame of the game with the pointer on a world point and the given mouse buttons held.
void step(sf::Vector2f aimAt, bool left, bool right, float dt = 1.0f / 60) {
    InputState* input = InputState::getInstance();
    input->hasFocus = true;
    const sf::View& view = Camera::getInstance()->view;
    sf::Vector2f onScreen = aimAt - (view.getCenter() - view.getSize() / 2.0f);
    input->sample(
        sf::Vector2i(onScreen), screen, sf::Vector2f(screen), [](int) { return false; },
        [left, right](int b) { return (b == 0 && left) || (b == 1 && right); });
    followPlayer(dt);
    GameStateHandler* handler = GameStateHandler::getInstance();
    handler->update(dt);
    sf::RenderWindow& window = gameWindow();
    window.clear(sf::Color(96, 128, 96, 255));
    if (GameState* top = handler->top())
        top->draw();
    handler->drawEnabled = 1;
    window.display();
}

void capture(const std::string& path) {
    sf::RenderWindow& window = gameWindow();
    sf::Texture shot;
    shot.create(window.getSize().x, window.getSize().y);
    shot.update(window);
    shot.copyToImage().saveToFile(path);
    std::cout << "wrote " << path << std::endl;
}

bool freeAt(const Map& map, sf::Vector2f p) {
    int x = static_cast<int>(p.x / 64), y = static_cast<int>(p.y / 64);
    return p.x > 128 && p.y > 128 && x < map.columns() - 2 && y < map.rows() - 2 && !map.isSolid(x, y);
}

int wallsAround(const Map& map, sf::Vector2f p) {
    int n = 0;
    int cx = static_cast<int>(p.x / 64), cy = static_cast<int>(p.y / 64);
    for (int x = cx - 4; x <= cx + 4; ++x)
        for (int y = cy - 3; y <= cy + 3; ++y)
            n += x >= 0 && y >= 0 && x < map.columns() && y < map.rows() && map.isSolid(x, y);
    return n;
}

// A prop with plenty of wall around it, and a free spot five tiles to its left for the shooter.
std::pair<sf::Vector2f, sf::Vector2f> stage(const Map& map) {
    std::pair<sf::Vector2f, sf::Vector2f> best{{400, 400}, {700, 400}};
    int most = -1;
    for (std::size_t i = 0; i + 1 < map.furniture.size(); ++i) {
        sf::Vector2f prop = map.furniture[i]->position;
        sf::Vector2f spot = prop - sf::Vector2f(320, 0);
        if (!freeAt(map, spot) || !freeAt(map, prop))
            continue;
        int walls = wallsAround(map, prop);
        if (walls > most && walls < 30) {
            most = walls;
            best = {spot, prop};
        }
    }
    return best;
}

} // namespace

int main(int argc, char** argv) {
    const std::string out = argc > 1 ? argv[1] : ".";
    startUp();
    // After the start-up, which seeds from the clock: the same level every time.
    std::srand(7);
    startNewRun();
    Player* player = Player::getInstance();
    Map* map = Maphandler::getInstance()->currentMap();
    player->inventory[0] = copyOf(weaponTemplates, "Assault Rifle");
    player->inventory[1] = copyOf(weaponTemplates, "Jackhammer");
    player->equipHands();

    auto [spot, target] = stage(*map);
    player->position = spot;
    for (int i = 0; i < 90; ++i)
        step(target, false, false);
    // A sweep across the prop and the walls around it.
    for (int i = 0; i < 40; ++i) {
        float swing = std::sin(static_cast<float>(i) * 0.15f) * 120;
        step(target + sf::Vector2f(-swing * 0.3f, swing), true, i % 12 < 3);
    }
    capture(out + "/firefight.png");

    // A dynamite charge must go out on a plain click.
    player->inventory[1] = copyOf(bombTemplates, "Bomb");
    player->inventory[0] = copyOf(bombTemplates, "Grenade");
    player->inventory[0]->setSemiAuto(false);
    player->equipHands();
    for (int i = 0; i < 80; ++i)
        step(target, false, false);
    std::size_t before = map->grenades.size();
    step(target, false, true);
    step(target, false, false);
    std::cout << "bomb click threw " << map->grenades.size() - before << " charge(s)" << std::endl;
    map->grenades.clear();

    // A grenade charged for two thirds of a second and let go toward the prop.
    for (int i = 0; i < 40; ++i)
        step(target, true, false);
    step(target, false, false);
    int frames = 0;
    while (!map->grenades.empty() && frames++ < 600)
        step(target, false, false);
    for (int i = 0; i < 4; ++i)
        step(target, false, false);
    capture(out + "/explosion.png");
    for (int i = 0; i < 18; ++i)
        step(target, false, false);
    capture(out + "/explosion_smoke.png");

    // The level's climax: the brainwash machine going up, seen from beside it.
    Mapentity& machine = *map->furniture.back();
    player->resetForLevel(false); // the blasts above may have hurt him
    player->position = machine.position + sf::Vector2f(-260, 0);
    for (int i = 0; i < 30; ++i)
        step(machine.position, false, false);
    machine.takeDamage(1e6f, player->position);
    for (int i = 0; i < 12; ++i)
        step(machine.position, false, false);
    capture(out + "/machine_destroyed.png");
    shutDown();
    return 0;
}
