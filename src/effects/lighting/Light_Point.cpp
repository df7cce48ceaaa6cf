#include "effects/lighting/Light_Point.h"

#include <SFML/OpenGL.hpp>

#include <algorithm>
#include <cmath>
#include <vector>

namespace ltbl {

namespace {
constexpr float fullCircle = 6.2831855f;
}

void Light_Point::calculateAABB() {
    if (spreadAngle == fullCircle || spreadAngle == 0) {
        aabb = qdt::AABB::fromCenter(center, {radius, radius});
        return;
    }
    float a0 = directionAngle - spreadAngle / 2, a1 = directionAngle + spreadAngle / 2;
    sf::Vector2f points[4] = {
        center,
        center + radius * sf::Vector2f(std::cos(a0), std::sin(a0)),
        center + radius * sf::Vector2f(std::cos(a1), std::sin(a1)),
        center + radius * sf::Vector2f(std::cos(directionAngle), std::sin(directionAngle)),
    };
    sf::Vector2f lower = points[0], upper = points[0];
    for (const auto& p : points) {
        lower = {std::min(lower.x, p.x), std::min(lower.y, p.y)};
        upper = {std::max(upper.x, p.x), std::max(upper.y, p.y)};
    }
    aabb = qdt::AABB::fromBounds(lower, upper);
}

std::vector<sf::Vector2f> Light_Point::fanPoints() const {
    std::vector<sf::Vector2f> points{center};
    if (subdivisionAngle <= 0)
        return points;
    int n = static_cast<int>(spreadAngle / subdivisionAngle);
    float start = directionAngle - spreadAngle / 2;
    for (int i = 0; i <= n; ++i) {
        float a = start + static_cast<float>(i) * subdivisionAngle;
        points.push_back(center + radius * sf::Vector2f(std::cos(a), std::sin(a)));
    }
    return points;
}

void Light_Point::render() {
    // The centre is white and the rim black: the attenuation shader turns that
    // ramp into the light's falloff and colour.
    std::vector<sf::Vector2f> points = fanPoints();
    glBegin(GL_TRIANGLE_FAN);
    for (std::size_t i = 0; i < points.size(); ++i) {
        if (!useShader) {
            float shade = i == 0 ? intensity : 0.0f;
            glColor4f(color.x * shade, color.y * shade, color.z * shade, 1);
        } else {
            float ramp = i == 0 ? 1.0f : 0.0f;
            glColor4f(ramp, ramp, ramp, 1);
        }
        glVertex2f(points[i].x, points[i].y);
    }
    glEnd();
}

} // namespace ltbl
