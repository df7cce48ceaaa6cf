#pragma once
// The street layout of a level while it is being generated, and the passes
// map generation runs over it in order: lay the street grid, shift and
// extend street segments, classify each street tile by the side its lot lies
// on, then find the lots. Only Maphandler::generateMap runs them for the
// game; they are free functions so that each pass can be checked alone.

#include "world/LotTemplate.h"

#include <vector>

// One layout code per tile (layoutcode in world/Map.h), column major. Reads
// outside the grid see the nearest tile; writes outside it are dropped.
class StreetGrid {
  public:
    StreetGrid(int columns, int rows);

    unsigned char get(int x, int y) const;
    void set(int x, int y, unsigned char code);

    int nx, ny;

  private:
    std::vector<unsigned char> codes;
};

// a horizontal and b vertical streets, two tiles wide, evenly spread;
// horizontal streets stay at least 11 rows apart and b <= 0 lays none.
void layStreets(StreetGrid& B, int a, int b);
// Removes some vertical street segments below a horizontal street, at most a per row.
void shiftPass1(StreetGrid& B, int a);
// Removes some horizontal street segments right of a vertical street, at most b per row.
void shiftPass2(StreetGrid& B, int b);
// Extends dangling vertical streets upward to the street above.
void shiftPass3(StreetGrid& B);
// Extends dangling vertical streets downward to the street or edge below.
void shiftPass4(StreetGrid& B);
// Each street tile learns on which side its lot lies.
void classify(StreetGrid& B);
// The lots of a classified layout, scanning rows from the top, each row from
// the left; a lot starts at a lot tile with a street or the edge left of and above it.
std::vector<LotRect> findLots(const StreetGrid& B);
