#pragma once
// Resolves the map's pending explosions once per frame: enemies, walls,
// props and the player within reach take damage falling off linearly with
// distance, and walls between the blast and an actor soak up their own hit
// points of it. Free functions: the map owns everything they touch.

#include <SFML/System/Vector2.hpp>

class Map;
class Mapentity;
struct ExplosionRequest;

// Damage at distance d from a blast of damage D that reaches R + r:
// (1 - d / (R + r)) x D inside the reach, 0 at and beyond it.
float explosionFalloff(float damage, float distance, float reach);

// The hit points of the solid walls near the blast that the line from `at`
// to the blast's centre crosses.
int wallShield(const Map& map, const ExplosionRequest& blast, sf::Vector2f at);

// Consumes the map's explosions list, later requests first. player may be
// null (no one to hurt).
void resolveExplosions(Map& map, Mapentity* player);
