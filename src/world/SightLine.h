#pragma once
// Whether a straight segment in world pixels crosses a solid wall tile:
// the enemies' line of sight to the player.

#include <SFML/System/Vector2.hpp>

class Map;

// True when the segment from a to b touches the square of any solid tile
// of the map's walls layer.
bool segmentHitsSolid(const Map& map, sf::Vector2f a, sf::Vector2f b);

// Segment against a closed axis-aligned square (slab test): touching an edge counts.
bool segmentTouchesSquare(sf::Vector2f a, sf::Vector2f b, float left, float top, float size);
