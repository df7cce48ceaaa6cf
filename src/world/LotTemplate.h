#pragma once
// The plan for one lot of a city block: a walled building with inner rooms
// and doors (only on lots of at least 9 x 9 tiles), the floors, and where
// the furniture stands. Map generation builds one per lot and copies it onto
// the map; the template lives only while its lot is being filled.
// Coordinates are (row, col) inside the lot.

#include <SFML/Graphics/Rect.hpp>

#include <vector>

struct LotRect {
    int row0 = 0, col0 = 0, rows = 0, cols = 0;
    int area() const { return rows * cols; }
    bool contains(int r, int c) const { return r >= row0 && r < row0 + rows && c >= col0 && c < col0 + cols; }
};

struct InnerRoom {
    int theme = 0;
    std::vector<int> doorSides; // three of: 0 left, 1 top, 2 right, 3 bottom
    LotRect rect;
};

struct LotCell {
    bool solid = false;
    sf::IntRect wallRect;  // on the tile sheet
    sf::IntRect floorRect; // on the tile sheet
};

struct FurnitureSpot {
    int row = 0, col = 0;
    int kind = 6;           // tile sheet column 6..10
    bool immovable = false; // the heavy pieces
    sf::IntRect rect;       // indoor row 0 inside the building, outdoor row 1 elsewhere
};

class LotTemplate {
  public:
    // Draws the whole plan for a lot of rows x cols tiles from rand().
    LotTemplate(int rows, int cols);

    bool hasBuilding() const { return building.rows > 0; }
    const LotCell& at(int r, int c) const { return cells[static_cast<std::size_t>(r * cols + c)]; }

    int rows, cols;
    int theme = 0; // wall material 0..4
    LotRect building;
    std::vector<InnerRoom> rooms;
    std::vector<FurnitureSpot> furniture;

  private:
    LotCell& cell(int r, int c) { return cells[static_cast<std::size_t>(r * cols + c)]; }
    bool inside(int r, int c) const { return r >= 0 && r < rows && c >= 0 && c < cols; }
    void planRooms();
    void buildWalls(const LotRect& rect);
    void cutDoor(const LotRect& rect, int side);
    void placeFurniture();

    std::vector<LotCell> cells;
};
