#pragma once
// Aim help for a pad, where a thumb aims less finely than a hand on a mouse:
// the right stick's direction bends toward the nearest alien in sight inside
// a cone around it. The bend is never wider than the cone, so the aim never
// jumps across the screen, and an alien behind a wall never pulls it. Free
// functions over the map; they keep nothing, and the game never applies
// them to the mouse.

#include <SFML/System/Vector2.hpp>

class Map;

// The cone's half-angle in radians for an aim help level: 0 off, 1 low, 2 high.
float aimHelpCone(int level);

// The direction to aim in from `from` (unit length): the stick's direction
// (unit length) turned onto the nearest living alien within `reach` pixels
// inside the level's cone and in sight, or the stick's direction when none is.
sf::Vector2f bendAim(const Map& map, sf::Vector2f from, sf::Vector2f stick, int level, float reach);
