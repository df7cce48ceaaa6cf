#pragma once
// The screens between levels throw their sparks in screen units while the
// particles live in the world and are drawn through the level's view. The
// level's view stays centred on the camera's centre (whole units) while a
// screen is shown over it, so one offset maps the screen into the world.

#include "core/Camera.h"

#include <SFML/System/Vector2.hpp>

#include <cmath>

inline sf::Vector2f screenToWorld(sf::Vector2f onScreen) {
    const Camera* camera = Camera::getInstance();
    return onScreen + sf::Vector2f(std::trunc(camera->center.x) - 960, std::trunc(camera->center.y) - 540);
}
