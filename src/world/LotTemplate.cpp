#include "world/LotTemplate.h"

#include "core/Random.h"

#include <algorithm>
#include <cstdlib>

namespace {

bool overlap(const LotRect& a, const LotRect& b) {
    return a.row0 < b.row0 + b.rows && b.row0 < a.row0 + a.rows && a.col0 < b.col0 + b.cols &&
           b.col0 < a.col0 + a.cols;
}

} // namespace

LotTemplate::LotTemplate(int rowCount, int colCount)
    : rows(std::max(rowCount, 0)), cols(std::max(colCount, 0)),
      cells(static_cast<std::size_t>(rows) * static_cast<std::size_t>(cols)) {
    theme = std::rand() % 5;
    if (rows >= 9 && cols >= 9) {
        building.rows = randInt(8, rows);
        building.row0 = randInt(0, rows - building.rows);
        building.cols = randInt(8, cols);
        building.col0 = randInt(0, cols - building.cols);
        planRooms();
        for (const InnerRoom& room : rooms)
            buildWalls(room.rect);
        buildWalls(building);
    }

    int f = std::rand() % 3;
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c)
            cell(r, c).floorRect = building.contains(r, c) ? sf::IntRect(0, 64 * (f + 8), 64, 64)
                                                           : sf::IntRect(64 * (std::rand() % 3), 320, 64, 64);

    if (hasBuilding()) {
        for (int i = 0; i < 3; ++i)
            cutDoor(building, std::rand() % 4);
        for (const InnerRoom& room : rooms)
            cutDoor(room.rect, room.doorSides[static_cast<std::size_t>(std::rand() % 3)]);
    }
    placeFurniture();
}

void LotTemplate::planRooms() {
    const LotRect& b = building;
    int covered = 0, failures = 0;
    while (2 * covered <= b.area() && 2 * covered != b.area() && failures < 50) {
        LotRect a;
        std::vector<int> sides;
        switch (std::rand() % 4) {
        case 0: // against the left wall
            a.col0 = b.col0;
            a.rows = randInt(3, b.rows - 2);
            a.row0 = randInt(b.row0, b.row0 + b.rows - a.rows);
            a.cols = randInt(3, b.cols - 2);
            sides = {1, 2, 3};
            break;
        case 1: // against the top wall
            a.row0 = b.row0;
            a.cols = randInt(3, b.cols - 2);
            a.col0 = randInt(b.col0, b.col0 + b.cols - a.cols);
            a.rows = randInt(3, b.rows - 2);
            sides = {0, 2, 3};
            break;
        case 2: // against the right wall
            a.cols = randInt(3, b.cols - 2);
            a.col0 = b.col0 + b.cols - a.cols;
            a.rows = randInt(3, b.rows - 2);
            a.row0 = randInt(b.row0, b.row0 + b.rows - a.rows);
            sides = {1, 0, 3};
            break;
        default: // against the bottom wall
            a.rows = randInt(3, b.rows - 2);
            a.row0 = b.row0 + b.rows - a.rows;
            a.cols = randInt(3, b.cols - 2);
            a.col0 = randInt(b.col0, b.col0 + b.cols - a.cols);
            sides = {1, 2, 0};
            break;
        }
        bool clash =
            std::any_of(rooms.begin(), rooms.end(), [&](const InnerRoom& r) { return overlap(r.rect, a); });
        if (clash) {
            ++failures;
            continue;
        }
        rooms.push_back({theme, sides, a});
        covered += a.area();
    }
}

void LotTemplate::buildWalls(const LotRect& rect) {
    auto makeWall = [&](int r, int c) {
        if (!inside(r, c))
            return;
        LotCell& w = cell(r, c);
        w.solid = true;
        w.wallRect = sf::IntRect(64 * (std::rand() % 6), 64 * theme, 64, 64);
    };
    int lastRow = rect.row0 + rect.rows - 1, lastCol = rect.col0 + rect.cols - 1;
    for (int c = rect.col0; c <= lastCol; ++c) {
        makeWall(rect.row0, c);
        makeWall(lastRow, c);
    }
    for (int r = rect.row0; r <= lastRow; ++r) {
        makeWall(r, rect.col0);
        makeWall(r, lastCol);
    }
}

// A door is two tiles deep, three where an inner wall stands right behind
// the wall it is cut into.
void LotTemplate::cutDoor(const LotRect& rect, int side) {
    auto clear = [&](int r, int c) {
        if (inside(r, c))
            cell(r, c).solid = false;
    };
    auto clearIfSolid = [&](int r, int c) {
        if (inside(r, c) && cell(r, c).solid)
            cell(r, c).solid = false;
    };
    int r = 0, c = 0;
    switch (side) {
    case 0:
        r = randInt(rect.row0 + 1, rect.row0 + rect.rows - 2);
        c = rect.col0;
        clear(r, c);
        clear(r, c + 1);
        clearIfSolid(r, c - 1);
        break;
    case 1:
        c = randInt(rect.col0 + 1, rect.col0 + rect.cols - 2);
        r = rect.row0;
        clear(r, c);
        clear(r + 1, c);
        clearIfSolid(r - 1, c);
        break;
    case 2:
        r = randInt(rect.row0 + 1, rect.row0 + rect.rows - 2);
        c = rect.col0 + rect.cols - 1;
        clear(r, c);
        clear(r, c - 1);
        clearIfSolid(r, c + 1);
        break;
    default:
        c = randInt(rect.col0 + 1, rect.col0 + rect.cols - 2);
        r = rect.row0 + rect.rows - 1;
        clear(r, c);
        clear(r - 1, c);
        clearIfSolid(r + 1, c);
        break;
    }
}

void LotTemplate::placeFurniture() {
    if (rows <= 0 || cols <= 0)
        return;
    int n = std::rand() % 7 + 4;
    for (int piece = 0; piece < n; ++piece)
        for (int attempt = 0; attempt < 9; ++attempt) {
            int r = randInt(0, rows - 1), c = randInt(0, cols - 1);
            bool taken = std::any_of(furniture.begin(), furniture.end(),
                                     [&](const FurnitureSpot& s) { return s.row == r && s.col == c; });
            if (taken || at(r, c).solid)
                continue;
            FurnitureSpot spot;
            spot.row = r;
            spot.col = c;
            spot.kind = std::rand() % 5 + 6;
            spot.immovable = spot.kind == 7 || spot.kind == 8;
            spot.rect = sf::IntRect(64 * spot.kind, building.contains(r, c) ? 0 : 64, 64, 64);
            furniture.push_back(spot);
            break;
        }
}
