#pragma once
// Resolves the player's instant shots against the map once per frame: an
// ordinary shot hits the nearest of enemy, wall and prop along its segment;
// a penetrating shot hits everything on its line. Also the segment geometry
// the explosions share. Free functions: the map owns everything they touch,
// and they keep nothing.

#include <SFML/Graphics/Color.hpp>
#include <SFML/System/Vector2.hpp>

#include <optional>

class Map;
struct Shot;
struct Tracer;

// Where a candidate hit lands on the segment, and how far from its start.
struct SegmentHit {
    sf::Vector2f point;
    float distance = 0;
};

// The point of segment a-b nearest to p; a zero-length segment yields a.
sf::Vector2f closestPointOnSegment(sf::Vector2f a, sf::Vector2f b, sf::Vector2f p);
// Where segment a-b first enters the 64 x 64 square of tile (x, y), if it
// touches it at all (a start inside the square enters at a).
std::optional<sf::Vector2f> segmentEntersTile(sf::Vector2f a, sf::Vector2f b, int x, int y);
// The end of a shot's segment: origin + (cos angle, sin angle) x range.
sf::Vector2f shotEnd(const Shot& shot);

// A fading line from a to b, width pixels thick, in the given colour.
Tracer makeTracer(sf::Vector2f a, sf::Vector2f b, float width, sf::Color color);

// Consumes the map's shots list.
void resolveShots(Map& map);
// Consumes the map's penetrating shots list.
void resolvePenetratingShots(Map& map);
