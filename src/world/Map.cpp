#include "world/Map.h"

Map::Map(int columns, int rows)
    : walls(static_cast<std::size_t>(columns), std::vector<Tile>(static_cast<std::size_t>(rows))),
      layout(static_cast<std::size_t>(columns), std::vector<Tile>(static_cast<std::size_t>(rows))) {}
