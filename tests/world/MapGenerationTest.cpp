#include "actors/Player.h"
#include "core/Globals.h"
#include "world/BrainwashMachine.h"
#include "world/LotTemplate.h"
#include "world/Map.h"
#include "world/Maphandler.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

using namespace layoutcode;

unsigned char code(const Map& m, int x, int y) {
    x = std::clamp(x, 0, m.columns() - 1);
    y = std::clamp(y, 0, m.rows() - 1);
    return m.layout[static_cast<std::size_t>(x)][static_cast<std::size_t>(y)].kind;
}

// Generates the current map for a level the way the next-level action does.
Map& generateLevel(int level, unsigned seed) {
    Maphandler* handler = Maphandler::getInstance();
    std::srand(seed);
    levelNumber = level;
    handler->newMap(level);
    return *handler->currentMap();
}

TEST(MapGeneration, WallsStandOnlyOnLotsAndFurnitureNeverOnAWall) {
    for (int level : {1, 12, 40})
        for (unsigned seed = 30; seed < 36; ++seed) {
            Map& m = generateLevel(level, seed);
            for (int x = 0; x < m.columns(); ++x)
                for (int y = 0; y < m.rows(); ++y) {
                    if (m.isSolid(x, y)) {
                        ASSERT_EQ(code(m, x, y), lot);
                    }
                }
            ASSERT_FALSE(m.furniture.empty());
            for (const auto& piece : m.furniture) {
                int tx = static_cast<int>(std::floor(piece->position.x / 64));
                int ty = static_cast<int>(std::floor(piece->position.y / 64));
                EXPECT_FALSE(m.isSolid(tx, ty)) << "piece at " << tx << "," << ty;
            }
        }
}

TEST(MapGeneration, TheMachineIsLastAndStandsOnAFreeTwoByTwoBlock) {
    for (int level : {1, 20, 60})
        for (unsigned seed = 40; seed < 46; ++seed) {
            Map& m = generateLevel(level, seed);
            auto* machine = dynamic_cast<BrainwashMachine*>(m.furniture.back().get());
            ASSERT_NE(machine, nullptr);
            int x0 = static_cast<int>(machine->position.x - 32) / 64,
                y0 = static_cast<int>(machine->position.y - 32) / 64;
            EXPECT_EQ(machine->position, sf::Vector2f(64.0f * x0 + 32, 64.0f * y0 + 32));
            EXPECT_GE(x0, 1);
            EXPECT_GE(y0, 1);
            for (int dx = 0; dx < 2; ++dx)
                for (int dy = 0; dy < 2; ++dy)
                    EXPECT_FALSE(m.isSolid(x0 + dx, y0 + dy));
            EXPECT_EQ(machine->HP, 200 + 30 * level);
            int machines = 0;
            for (const auto& piece : m.furniture)
                machines += dynamic_cast<BrainwashMachine*>(piece.get()) != nullptr;
            EXPECT_EQ(machines, 1);
        }
}

TEST(MapGeneration, TheDumpHasOneLineOfLayoutCodesPerRowAndItsFolderIsMadeWhenMissing) {
    Maphandler::getInstance();
    // A folder of its own: other tests write the game's dump at the same time.
    std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("vantreth-dump-" + std::to_string(getpid()));
    std::filesystem::remove_all(folder);
    std::filesystem::path file = folder / "SaveData" / "map.txt";
    std::srand(77);
    auto m = Maphandler::generateMap(57, 53, file.string());
    std::ifstream in(file, std::ios::binary);
    ASSERT_TRUE(in.good());
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    ASSERT_EQ(static_cast<int>(lines.size()), 53);
    for (int y = 0; y < m->rows(); ++y) {
        ASSERT_EQ(static_cast<int>(lines[static_cast<std::size_t>(y)].size()), 57);
        for (int x = 0; x < m->columns(); ++x)
            ASSERT_EQ(
                static_cast<unsigned char>(lines[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)]),
                code(*m, x, y));
    }
    in.close();
    std::filesystem::remove_all(folder);
}

// A seed names one map for good: its walls, floors, pictures, furniture and
// enemies, and where it leaves rand(). The fingerprint was taken before the
// tiles' pictures left their sprites; any change to generation's draws of
// rand() or to what it builds shows here.
TEST(MapGeneration, ASeedBuildsTheMapItAlwaysBuilt) {
    std::uint64_t h = 14695981039346656037ull;
    auto mix = [&h](long long v) {
        for (int i = 0; i < 8; ++i)
            h = (h ^ (static_cast<std::uint64_t>(v >> (8 * i)) & 255)) * 1099511628211ull;
    };
    auto picture = [&mix](const TilePicture& p) {
        mix(p.texture != nullptr);
        if (p.texture)
            for (int v : {p.rect.left, p.rect.top, p.rect.width, p.rect.height})
                mix(v);
    };
    // The player is made at the first level of a process, with draws of its own.
    Player::getInstance();
    Map& m = generateLevel(5, 123);
    for (int x = 0; x < m.columns(); ++x)
        for (int y = 0; y < m.rows(); ++y) {
            const Tile& w = m.walls[static_cast<std::size_t>(x)][static_cast<std::size_t>(y)];
            for (long long v : {static_cast<long long>(w.kind), static_cast<long long>(w.hitPoints),
                                static_cast<long long>(w.armour), static_cast<long long>(w.hull != nullptr),
                                static_cast<long long>(code(m, x, y))})
                mix(v);
            const TileArt& a = m.artAt(x, y);
            for (const TilePicture* p : {&a.wall, &a.wallEdge, &a.floor, &a.floorEdge})
                picture(*p);
        }
    for (const EntityList* list : {&m.furniture, &m.enemies})
        for (const auto& e : *list)
            for (long long v : {static_cast<long long>(e->position.x), static_cast<long long>(e->position.y),
                                static_cast<long long>(e->getKind())})
                mix(v);
    mix(std::rand());
    EXPECT_EQ(h, 0x264eb0391f9ff7c0ull);
}

// A lot template over many seeds and lot sizes.
class LotTemplateTest : public ::testing::Test {
  protected:
    template <typename Check> void forManyLots(Check check) {
        for (unsigned seed = 1; seed <= 400; ++seed) {
            std::srand(seed);
            int rows = std::rand() % 30 + 1, cols = std::rand() % 30 + 1;
            LotTemplate plan(rows, cols);
            check(plan);
        }
    }
};

TEST_F(LotTemplateTest, BuildingsOfAtLeastEightStandOnlyOnLotsOfAtLeastNine) {
    int buildings = 0;
    forManyLots([&](const LotTemplate& p) {
        bool big = p.rows >= 9 && p.cols >= 9;
        ASSERT_EQ(p.hasBuilding(), big);
        if (!big) {
            EXPECT_TRUE(p.rooms.empty());
            for (int r = 0; r < p.rows; ++r)
                for (int c = 0; c < p.cols; ++c)
                    EXPECT_FALSE(p.at(r, c).solid);
            return;
        }
        ++buildings;
        EXPECT_GE(p.building.rows, 8);
        EXPECT_GE(p.building.cols, 8);
        EXPECT_GE(p.building.row0, 0);
        EXPECT_GE(p.building.col0, 0);
        EXPECT_LE(p.building.row0 + p.building.rows, p.rows);
        EXPECT_LE(p.building.col0 + p.building.cols, p.cols);
    });
    EXPECT_GT(buildings, 100);
}

TEST_F(LotTemplateTest, WallsStandOnlyOnBuildingAndRoomBorders) {
    forManyLots([](const LotTemplate& p) {
        auto onBorder = [](const LotRect& R, int r, int c) {
            return R.contains(r, c) &&
                   (r == R.row0 || c == R.col0 || r == R.row0 + R.rows - 1 || c == R.col0 + R.cols - 1);
        };
        for (int r = 0; r < p.rows; ++r)
            for (int c = 0; c < p.cols; ++c) {
                if (!p.at(r, c).solid)
                    continue;
                bool border = onBorder(p.building, r, c);
                for (const InnerRoom& room : p.rooms)
                    border = border || onBorder(room.rect, r, c);
                ASSERT_TRUE(border) << r << "," << c;
                EXPECT_GT(p.at(r, c).wallRect.width, 0);
                EXPECT_EQ(p.at(r, c).wallRect.top, 64 * p.theme);
            }
    });
}

// Gaps in a rectangle's wall lines, corners left out; each door opens at
// most one in the building's outer wall.
int doorGaps(const LotTemplate& p, const LotRect& r) {
    int gaps = 0;
    for (int row = r.row0 + 1; row < r.row0 + r.rows - 1; ++row)
        gaps += !p.at(row, r.col0).solid + !p.at(row, r.col0 + r.cols - 1).solid;
    for (int col = r.col0 + 1; col < r.col0 + r.cols - 1; ++col)
        gaps += !p.at(r.row0, col).solid + !p.at(r.row0 + r.rows - 1, col).solid;
    return gaps;
}

TEST_F(LotTemplateTest, RoomsNeverOverlapAndEveryWallHasADoor) {
    forManyLots([](const LotTemplate& p) {
        if (!p.hasBuilding())
            return;
        const LotRect& b = p.building;
        int outer = doorGaps(p, b);
        // Three doors of its own, and room doors that land on the outer wall.
        EXPECT_GE(outer, 1);
        EXPECT_LE(outer, 3 + static_cast<int>(p.rooms.size()));
        // Doors are two deep: a gap in the outer wall always leads inside,
        // even where a room's wall runs along behind it.
        const int last = b.row0 + b.rows - 1, right = b.col0 + b.cols - 1;
        for (int row = b.row0 + 1; row < last; ++row) {
            EXPECT_TRUE(p.at(row, b.col0).solid || !p.at(row, b.col0 + 1).solid) << "row " << row;
            EXPECT_TRUE(p.at(row, right).solid || !p.at(row, right - 1).solid) << "row " << row;
        }
        for (int col = b.col0 + 1; col < right; ++col) {
            EXPECT_TRUE(p.at(b.row0, col).solid || !p.at(b.row0 + 1, col).solid) << "col " << col;
            EXPECT_TRUE(p.at(last, col).solid || !p.at(last - 1, col).solid) << "col " << col;
        }
        for (std::size_t i = 0; i < p.rooms.size(); ++i) {
            const LotRect& room = p.rooms[i].rect;
            EXPECT_GE(room.rows, 3);
            EXPECT_GE(room.cols, 3);
            EXPECT_TRUE(b.contains(room.row0, room.col0));
            EXPECT_TRUE(b.contains(room.row0 + room.rows - 1, room.col0 + room.cols - 1));
            EXPECT_GE(doorGaps(p, room), 1);
            for (std::size_t j = 0; j < i; ++j) {
                const LotRect& other = p.rooms[j].rect;
                bool apart = room.row0 >= other.row0 + other.rows || other.row0 >= room.row0 + room.rows ||
                             room.col0 >= other.col0 + other.cols || other.col0 >= room.col0 + room.cols;
                EXPECT_TRUE(apart) << "rooms " << j << " and " << i;
            }
        }
    });
}

TEST_F(LotTemplateTest, FurnitureTakesFreeDistinctTilesWithTheRightSheetRow) {
    int indoor = 0, outdoor = 0;
    forManyLots([&](const LotTemplate& p) {
        EXPECT_LE(p.furniture.size(), 10u);
        for (std::size_t i = 0; i < p.furniture.size(); ++i) {
            const FurnitureSpot& s = p.furniture[i];
            EXPECT_FALSE(p.at(s.row, s.col).solid);
            EXPECT_GE(s.kind, 6);
            EXPECT_LE(s.kind, 10);
            EXPECT_EQ(s.immovable, s.kind == 7 || s.kind == 8);
            bool inside = p.building.contains(s.row, s.col);
            EXPECT_EQ(s.rect, sf::IntRect(64 * s.kind, inside ? 0 : 64, 64, 64));
            (inside ? indoor : outdoor) += 1;
            for (std::size_t j = 0; j < i; ++j)
                EXPECT_FALSE(p.furniture[j].row == s.row && p.furniture[j].col == s.col);
        }
    });
    EXPECT_GT(indoor, 0);
    EXPECT_GT(outdoor, 0);
}

TEST_F(LotTemplateTest, FloorsAreIndoorInsideTheBuildingAndYardOutside) {
    forManyLots([](const LotTemplate& p) {
        for (int r = 0; r < p.rows; ++r)
            for (int c = 0; c < p.cols; ++c) {
                sf::IntRect f = p.at(r, c).floorRect;
                if (p.building.contains(r, c)) {
                    EXPECT_EQ(f.left, 0);
                    EXPECT_GE(f.top, 512);
                    EXPECT_LE(f.top, 640);
                } else {
                    EXPECT_EQ(f.top, 320);
                }
            }
    });
}

} // namespace
