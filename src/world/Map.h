#pragma once
// One level: two column-major layers of 64-pixel tiles (the solid walls and
// the street layout with its floors). The map handler owns the current map.

#include "actors/Shot.h"
#include "world/Mapentity.h"

#include <vector>

struct Tile {
    unsigned char kind = 0; // walls layer: 1 solid, 0 free; layout layer: street code
};

class Map {
public:
    Map() = default;
    Map(int columns, int rows);
    ~Map() {
        for (Mapentity* grenade : grenades)
            delete grenade;
    }
    Map(const Map&) = delete;
    Map& operator=(const Map&) = delete;

    // Grid sizes in tiles (NX columns, NY rows).
    int columns() const { return static_cast<int>(walls.size()); }
    int rows() const { return walls.empty() ? 0 : static_cast<int>(walls[0].size()); }

    std::vector<std::vector<Tile>> walls;  // indexed [X][Y]
    std::vector<std::vector<Tile>> layout; // indexed [X][Y]
    std::vector<Shot> shots;               // the weapons' shots, resolved by the next update
    std::vector<Shot> penetratingShots;    // shots of penetrating weapons, resolved along their whole line
    std::vector<Mapentity*> grenades;      // owned: deleted when they explode or with the map
};
