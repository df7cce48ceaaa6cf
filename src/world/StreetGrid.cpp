#include "world/StreetGrid.h"

#include "world/Map.h"

#include <algorithm>
#include <cstdlib>

using namespace layoutcode;

namespace {

int ceilDiv(int a, int b) {
    return (a + b - 1) / b;
}

} // namespace

StreetGrid::StreetGrid(int columns, int rows)
    : nx(columns), ny(rows), codes(static_cast<std::size_t>(columns) * static_cast<std::size_t>(rows), lot) {}

unsigned char StreetGrid::get(int x, int y) const {
    x = std::clamp(x, 0, nx - 1);
    y = std::clamp(y, 0, ny - 1);
    return codes[static_cast<std::size_t>(x) * static_cast<std::size_t>(ny) + static_cast<std::size_t>(y)];
}

void StreetGrid::set(int x, int y, unsigned char code) {
    if (x >= 0 && y >= 0 && x < nx && y < ny)
        codes[static_cast<std::size_t>(x) * static_cast<std::size_t>(ny) + static_cast<std::size_t>(y)] =
            code;
}

void layStreets(StreetGrid& B, int a, int b) {
    int NX = B.nx, NY = B.ny;
    int cellA = std::max(ceilDiv(NY, a + 1), 11);
    for (int k = 1; k <= a; ++k)
        for (int X = 0; X < NX; ++X) {
            B.set(X, cellA * k - 2, lotAbove);
            B.set(X, cellA * k - 1, lotBelow);
        }
    if (b <= 0)
        return;
    int cellB = ceilDiv(NX, b + 1);
    for (int k = 1; k <= b; ++k)
        for (int Y = 0; Y < NY; ++Y) {
            B.set(cellB * k - 2, Y, lotLeft);
            B.set(cellB * k - 1, Y, rightColumn);
        }
}

void shiftPass1(StreetGrid& B, int a) {
    int NX = B.nx, NY = B.ny;
    for (int Y = 1; Y <= NY - 2; ++Y) {
        int budget = a;
        for (int X = 0; X <= NX - 2; ++X) {
            if (!(B.get(X + 1, Y) == lotBelow && B.get(X, Y + 1) == rightColumn && budget > 0 &&
                  std::rand() % 2 == 1))
                continue;
            --budget;
            int len = 1;
            if (B.get(X + 1, Y + 1) == lot) {
                bool first = true;
                for (int y = Y + 1; y < NY && B.get(X + 1, y) == lot; ++y) {
                    B.set(X - 1, y, B.get(X - 2, y));
                    B.set(X, y, B.get(X - 1, y));
                    if (first) {
                        B.set(X - 1, Y, lotBelow);
                        B.set(X, Y, lotBelow);
                        first = false;
                    }
                    ++len;
                }
            }
            if (Y + 2 + len < NY && B.get(X, Y + len + 1) != lot) {
                if (B.get(X + 1, Y + len + 2) == lot) {
                    for (int y : {Y + len, Y + len + 1}) {
                        B.set(X - 1, y, B.get(X + 1, y));
                        B.set(X, y, B.get(X + 1, y));
                    }
                } else {
                    B.set(X - 1, Y + len, lotLeft);
                    B.set(X, Y + len, rightColumn);
                    B.set(X - 1, Y + len + 1, lotLeft);
                    B.set(X, Y + len + 1, rightColumn);
                }
            }
        }
    }
}

void shiftPass2(StreetGrid& B, int b) {
    int NX = B.nx, NY = B.ny;
    for (int Y = 1; Y <= NY - 3; ++Y) {
        int budget = b;
        for (int X = 0; X <= NX - 3; ++X) {
            if (!((X == 0 || B.get(X, Y) == rightColumn) && B.get(X + 1, Y) == lotAbove &&
                  B.get(X + 1, Y + 1) == lotBelow && B.get(X, Y + 2) == rightColumn &&
                  B.get(X, Y - 1) != lot && budget > 0 && std::rand() % 2 == 1))
                continue;
            --budget;
            B.set(X, Y, B.get(X, Y - 1));
            B.set(X, Y + 1, B.get(X, Y + 2));
            for (int x = X + 1;; ++x) {
                B.set(x, Y, B.get(x, Y - 1));
                B.set(x, Y + 1, B.get(x, Y + 2));
                if (!(x + 1 < NX && B.get(x + 1, Y) == lotAbove))
                    break;
            }
        }
    }
}

void shiftPass3(StreetGrid& B) {
    int NX = B.nx, NY = B.ny;
    for (int Y = 1; Y <= NY - 2; ++Y)
        for (int X = 1; X <= NX - 2; ++X) {
            if (!(B.get(X, Y) == lotLeft && B.get(X + 1, Y) == rightColumn && B.get(X, Y + 1) == lotLeft &&
                  B.get(X, Y - 1) == lot && B.get(X + 2, Y) == lot))
                continue;
            for (int y = Y; y > 0 && B.get(X - 1, y) != lotAbove; --y) {
                B.set(X, y, lotLeft);
                B.set(X + 1, y, rightColumn);
            }
        }
}

void shiftPass4(StreetGrid& B) {
    int NX = B.nx, NY = B.ny;
    for (int Y = 1; Y <= NY - 2; ++Y)
        for (int X = 1; X <= NX - 2; ++X) {
            if (!(B.get(X, Y) == lotLeft && B.get(X + 1, Y) == rightColumn && B.get(X, Y + 1) == lot &&
                  B.get(X - 1, Y) == lot && B.get(X + 2, Y) == lotBelow))
                continue;
            for (int y = Y + 1; y < NY; ++y) {
                B.set(X, y, lotLeft);
                B.set(X + 1, y, rightColumn);
                if (y == NY - 1 || B.get(X, y + 1) != lot)
                    break;
            }
        }
}

void classify(StreetGrid& B) {
    for (int X = 0; X < B.nx; ++X)
        for (int Y = 0; Y < B.ny; ++Y) {
            if (B.get(X, Y) == lot)
                continue;
            bool left = B.get(X - 1, Y) == lot, right = B.get(X + 1, Y) == lot;
            bool above = B.get(X, Y - 1) == lot, below = B.get(X, Y + 1) == lot;
            int count = left + right + above + below;
            unsigned char code = noSide;
            if (count == 1)
                code = below ? lotBelow : above ? lotAbove : right ? lotRight : lotLeft;
            B.set(X, Y, code);
        }
}

std::vector<LotRect> findLots(const StreetGrid& B) {
    int NX = B.nx, NY = B.ny;
    std::vector<LotRect> lots;
    for (int Y = 0; Y < NY; ++Y)
        for (int X = 0; X < NX; ++X) {
            if (B.get(X, Y) != lot)
                continue;
            if (!(X == 0 || isStreet(B.get(X - 1, Y))) || !(Y == 0 || isStreet(B.get(X, Y - 1))))
                continue;
            int X1 = X;
            while (X1 < NX - 2 && !isStreet(B.get(X1 + 1, Y)))
                ++X1;
            int Y1 = Y;
            while (Y1 < NY - 2 && !isStreet(B.get(X, Y1 + 1)))
                ++Y1;
            lots.push_back({Y, X, Y1 - Y + 1, X1 - X + 1});
        }
    return lots;
}
