// vantreth_lightshots OUT_DIR [PREFIX]
// Saves the frames the level lighting is judged by, as PREFIXname.png: a
// level-1 and a level-30 level a second after their start, the level-30
// level once more standing still, and the same moment in the middle of a
// strong camera shake (the view turned by at least three degrees), where the
// shadows must stay on their walls; last a level-60 level a second after its
// start. The levels are the benchmarks' (seed 42). --mask-shaded lays the
// whole light mask through its shader, as frames did before its even and
// sloped cells went on as flat colour; --light-drawn has the renderer draw
// the light map and its mask, as frames did before the processor painted them.
// Run it from the run directory, under a display of 1920 x 1080.
#include "actors/Player.h"
#include "app/Game.h"
#include "app/GameState.h"
#include "app/GameStateHandler.h"
#include "core/Camera.h"
#include "core/Globals.h"
#include "core/Settings.h"
#include "effects/lighting/LightSystem.h"
#include "screens/Ingame.h"
#include "world/CameraFollow.h"
#include "world/Map.h"
#include "world/Maphandler.h"

#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Graphics/Texture.hpp>

#include <cmath>
#include <cstdlib>
#include <iostream>
#include <string>

namespace {

std::string outDir;
std::string prefix;

// One frame at a fixed step. The picture is taken between the draw and the
// display, so it is exactly the frame the player sees, shake and all.
sf::Image frame(float dt) {
    sf::RenderWindow& window = gameWindow();
    followPlayer(dt);
    GameStateHandler* handler = GameStateHandler::getInstance();
    handler->update(dt);
    window.clear(sf::Color(96, 128, 96));
    if (GameState* top = handler->top())
        top->draw();
    sf::Texture capture;
    capture.create(window.getSize().x, window.getSize().y);
    capture.update(window);
    window.display();
    return capture.copyToImage();
}

void save(const sf::Image& image, const std::string& name) {
    std::string path = outDir + "/" + prefix + name + ".png";
    image.saveToFile(path);
    std::cout << "wrote " << path << std::endl;
}

// false: the whole light mask through its shader, to compare the flat cells against.
bool flatCells = true;
// false: the renderer draws the light map and its mask, to compare the painting against.
bool paintedLight = true;

// A fresh level the way the benchmarks make it, played for a second.
sf::Image level(int number) {
    std::srand(42);
    levelNumber = number;
    Player::getInstance()->resetForLevel(true);
    Maphandler::getInstance()->newMap(number);
    Map* map = Maphandler::getInstance()->currentMap();
    map->flatCells = flatCells;
    map->lighting.system->paintedByProcessor = paintedLight;
    Ingame::getInstance()->onEnter();
    sf::Image last;
    for (int i = 0; i < 60; ++i) {
        Player::getInstance()->invulnerabilityTimer = 0;
        last = frame(1.0f / 60);
    }
    return last;
}

// The view's turn in degrees, between -180 and 180.
float turn() {
    float r = Camera::getInstance()->view.getRotation();
    return r > 180 ? r - 360 : r;
}

} // namespace

int main(int argc, char** argv) {
    for (bool more = true; more && argc >= 2;) {
        const std::string last = argv[argc - 1];
        more = last == "--mask-shaded" || last == "--light-drawn";
        if (last == "--mask-shaded")
            flatCells = false;
        if (last == "--light-drawn")
            paintedLight = false;
        argc -= more ? 1 : 0;
    }
    if (argc != 2 && argc != 3) {
        std::cerr << "usage: vantreth_lightshots OUT_DIR [PREFIX] [--mask-shaded] [--light-drawn]\n";
        return 2;
    }
    outDir = argv[1];
    prefix = argc == 3 ? argv[2] : "";
    startUp();
    gameWindow().setFramerateLimit(0);
    // The help overlay of a first start would cover the level.
    showGameInfoOnce = false;
    GameStateHandler::getInstance()->changeState(Ingame::getInstance());

    save(level(1), "level1");
    save(level(30), "level30");

    // The same level standing still, then shaken hard: each frame turns the
    // view anew; the first frame turned by three degrees or more is kept.
    Camera* camera = Camera::getInstance();
    camera->shake = 0;
    save(frame(0), "level30_still");
    // A step of no time shows the last shake again, so each frame steps a
    // moment: short enough that nothing else moves to the eye.
    for (int i = 0; i < 60; ++i) {
        camera->shake = 10;
        sf::Image shaken = frame(1.0e-4f);
        if (std::abs(turn()) >= 3) {
            std::cout << "view turned by " << turn() << " degrees" << std::endl;
            save(shaken, "level30_shake");
            break;
        }
    }
    camera->shake = 0;
    save(level(60), "level60");
    shutDown();
    return 0;
}
