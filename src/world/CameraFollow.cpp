#include "world/CameraFollow.h"

#include "actors/Player.h"
#include "core/Camera.h"
#include "world/Map.h"
#include "world/Maphandler.h"

#include <cmath>

void followPlayer(float dt) {
    Camera* camera = Camera::getInstance();
    // The screen view sits at the screen centre whatever the map (the map
    // clamp cannot move it), so menus never need a map.
    if (camera->screenMode) {
        camera->step(dt, camera->target, nullptr);
        return;
    }
    Map* map = Maphandler::getInstance()->currentMap();
    sf::Vector2f mapSize;
    if (map)
        mapSize = sf::Vector2f(static_cast<float>(map->columns() * 64), static_cast<float>(map->rows() * 64));
    camera->step(dt, Player::getInstance()->position, map ? &mapSize : nullptr);
}

void snapCameraToPlayer() {
    Camera* camera = Camera::getInstance();
    camera->screenMode = false;
    // A long step lands on the target and decays any shake to nothing; it
    // draws the shake's numbers as every step does.
    followPlayer(10);
    camera->center = camera->target;
    camera->view.setCenter(std::trunc(camera->center.x), std::trunc(camera->center.y));
}
