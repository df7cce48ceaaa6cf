#include "app/Globals.h"
#include "world/BrainwashMachine.h"
#include "world/LotTemplate.h"
#include "world/Map.h"
#include "world/Maphandler.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
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

TEST(MapGeneration, SizesGrowWithTheLevelNumber) {
    for (int level : {1, 2, 10, 30, 60})
        for (unsigned seed = 1; seed <= 4; ++seed) {
            Map& m = generateLevel(level, seed);
            EXPECT_GE(m.columns(), 50 + level);
            EXPECT_LE(m.columns(), 50 + 2 * level);
            EXPECT_GE(m.rows(), 50 + level);
            EXPECT_LE(m.rows(), 50 + 2 * level);
            EXPECT_EQ(levelNumber, level);
        }
}

TEST(MapGeneration, SizesComeFromTheLevelNumberBeforeTheCall) {
    Maphandler* handler = Maphandler::getInstance();
    for (unsigned seed = 1; seed <= 5; ++seed) {
        std::srand(seed);
        levelNumber = 1;
        handler->newMap(30);
        EXPECT_LE(handler->currentMap()->columns(), 52);
        EXPECT_LE(handler->currentMap()->rows(), 52);
        EXPECT_EQ(levelNumber, 30);
    }
    levelNumber = 1;
}

TEST(MapGeneration, FurnitureComesFourToTenPerLotAndTwoKindsInFiveAreImmovable) {
    int pieces = 0, immovable = 0;
    for (unsigned seed = 1; seed <= 300; ++seed) {
        std::srand(seed);
        LotTemplate plan(20, 20);
        EXPECT_GE(plan.furniture.size(), 1u);
        EXPECT_LE(plan.furniture.size(), 10u);
        for (const FurnitureSpot& s : plan.furniture) {
            ++pieces;
            immovable += s.immovable;
        }
    }
    // Four to ten tries per lot, nearly all succeed on a 20 x 20 lot: about seven each.
    EXPECT_NEAR(pieces / 300.0, 7.0, 0.5);
    EXPECT_NEAR(static_cast<double>(immovable) / pieces, 0.4, 0.05);
}

TEST(MapGeneration, StreetCodesNameTheSideOfTheirOnlyLot) {
    int streets = 0;
    for (int level : {1, 7, 25})
        for (unsigned seed = 10; seed < 20; ++seed) {
            Map& m = generateLevel(level, seed);
            for (int x = 0; x < m.columns(); ++x)
                for (int y = 0; y < m.rows(); ++y) {
                    unsigned char k = code(m, x, y);
                    if (k == lot)
                        continue;
                    ++streets;
                    bool left = code(m, x - 1, y) == lot, right = code(m, x + 1, y) == lot;
                    bool above = code(m, x, y - 1) == lot, below = code(m, x, y + 1) == lot;
                    int lots = left + right + above + below;
                    unsigned char want = lots != 1 ? noSide
                                         : below   ? lotBelow
                                         : above   ? lotAbove
                                         : right   ? lotRight
                                                   : lotLeft;
                    ASSERT_EQ(k, want) << "tile " << x << "," << y << " seed " << seed;
                }
        }
    EXPECT_GT(streets, 0);
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

TEST(MapGeneration, EveryNewLevelWritesTheGamesDump) {
    Map& m = generateLevel(2, 78);
    std::ifstream in("SaveData/map.txt", std::ios::binary);
    ASSERT_TRUE(in.good());
    int rows = 0;
    for (std::string line; std::getline(in, line);)
        ++rows;
    // Another test may have written its own level since; any level is at least 51 rows.
    EXPECT_GE(rows, 51);
    EXPECT_GE(m.rows(), 51);
}

TEST(MapGeneration, TheSameSeedBuildsTheSameMap) {
    auto snapshot = [](const Map& m) {
        std::string s;
        for (int x = 0; x < m.columns(); ++x)
            for (int y = 0; y < m.rows(); ++y)
                s += static_cast<char>(code(m, x, y) + (m.isSolid(x, y) ? 1 : 0));
        return s;
    };
    std::string first = snapshot(generateLevel(5, 123));
    std::string second = snapshot(generateLevel(5, 123));
    EXPECT_EQ(first, second);
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

TEST_F(LotTemplateTest, EveryBuildingHasADoorInItsOuterWallAndRoomsStayInside) {
    forManyLots([](const LotTemplate& p) {
        if (!p.hasBuilding())
            return;
        const LotRect& b = p.building;
        int openings = 0;
        for (int r = b.row0 + 1; r < b.row0 + b.rows - 1; ++r)
            openings += !p.at(r, b.col0).solid + !p.at(r, b.col0 + b.cols - 1).solid;
        for (int c = b.col0 + 1; c < b.col0 + b.cols - 1; ++c)
            openings += !p.at(b.row0, c).solid + !p.at(b.row0 + b.rows - 1, c).solid;
        EXPECT_GE(openings, 1);
        for (const InnerRoom& room : p.rooms) {
            EXPECT_GE(room.rect.rows, 3);
            EXPECT_GE(room.rect.cols, 3);
            EXPECT_TRUE(b.contains(room.rect.row0, room.rect.col0));
            EXPECT_TRUE(b.contains(room.rect.row0 + room.rect.rows - 1, room.rect.col0 + room.rect.cols - 1));
            EXPECT_EQ(room.doorSides.size(), 3u);
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
