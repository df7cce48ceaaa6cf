#include "world/StreetGrid.h"

#include "core/Random.h"
#include "world/Map.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>

namespace {

using namespace layoutcode;

// Runs the street passes of many generated levels, sizes and partition
// counts drawn as generation draws them, and hands each grid to the checks
// between the steps.
struct StreetSteps {
    std::function<void(const StreetGrid&, const StreetGrid&)> afterShifts; // (before pass 3, after pass 4)
    std::function<void(const StreetGrid&)> afterClassification;
    std::function<void(const StreetGrid&, const StreetGrid&)> eachRemoval; // around passes 1 and 2
};

void forManyLayouts(const StreetSteps& steps) {
    for (unsigned seed = 1; seed <= 300; ++seed) {
        std::srand(seed);
        int level = static_cast<int>(seed % 60) + 1;
        int NY = 50 + randInt(level, 2 * level), NX = 50 + randInt(level, 2 * level);
        int a = randInt(1, NY / 11), b = randInt(1, NX / 11 - 4);
        StreetGrid B(NX, NY);
        layStreets(B, a, b);
        StreetGrid laid = B;
        shiftPass1(B, a);
        StreetGrid shifted = B;
        shiftPass2(B, b);
        if (steps.eachRemoval) {
            steps.eachRemoval(laid, shifted);
            steps.eachRemoval(shifted, B);
        }
        StreetGrid beforeExtending = B;
        shiftPass3(B);
        shiftPass4(B);
        if (steps.afterShifts)
            steps.afterShifts(beforeExtending, B);
        classify(B);
        if (steps.afterClassification)
            steps.afterClassification(B);
        if (::testing::Test::HasFailure()) {
            ADD_FAILURE() << "seed " << seed << ", " << NX << " x " << NY << ", a " << a << ", b " << b;
            return;
        }
    }
}

TEST(StreetGrid, HorizontalStreetsAreTwoRowsWideAndAtLeastElevenApart) {
    StreetGrid B(60, 51);
    layStreets(B, 4, 0);
    std::vector<int> upperRows;
    for (int y = 0; y < B.ny; ++y)
        if (B.get(0, y) == lotAbove) {
            upperRows.push_back(y);
            EXPECT_EQ(B.get(0, y + 1), lotBelow);
        }
    ASSERT_FALSE(upperRows.empty());
    for (std::size_t i = 1; i < upperRows.size(); ++i)
        EXPECT_GE(upperRows[i] - upperRows[i - 1], 11);
    for (int x = 0; x < B.nx; ++x)
        EXPECT_NE(B.get(x, 0), lotLeft) << "no vertical street is laid when b is not positive";
}

// Extending lays vertical streets (across horizontal ones too) and never opens a lot.
TEST(StreetGrid, ExtendingOnlyLaysVerticalStreets) {
    forManyLayouts({[](const StreetGrid& before, const StreetGrid& after) {
                        for (int x = 0; x < after.nx; ++x)
                            for (int y = 0; y < after.ny; ++y) {
                                unsigned char was = before.get(x, y), is = after.get(x, y);
                                if (was == is)
                                    continue;
                                ASSERT_TRUE(is == lotLeft || is == rightColumn) << x << "," << y;
                            }
                    },
                    nullptr, nullptr});
}

// The first two shifts take street segments away and never lay new street.
TEST(StreetGrid, TheFirstTwoShiftsOnlyRemoveStreet) {
    int removed = 0;
    forManyLayouts({nullptr, nullptr, [&removed](const StreetGrid& before, const StreetGrid& after) {
                        for (int x = 0; x < after.nx; ++x)
                            for (int y = 0; y < after.ny; ++y) {
                                bool was = before.get(x, y) != lot, is = after.get(x, y) != lot;
                                ASSERT_TRUE(was || !is) << x << "," << y;
                                removed += was && !is;
                            }
                    }});
    EXPECT_GT(removed, 0);
}

TEST(StreetGrid, EveryStreetTileKnowsTheSideOfItsOnlyLot) {
    int streets = 0;
    forManyLayouts({nullptr,
                    [&](const StreetGrid& B) {
                        for (int x = 0; x < B.nx; ++x)
                            for (int y = 0; y < B.ny; ++y) {
                                unsigned char k = B.get(x, y);
                                if (k == lot)
                                    continue;
                                ++streets;
                                ASSERT_TRUE(k >= lotLeft && k <= noSide) << x << "," << y;
                                // The side a code names really is a lot.
                                bool named = k == noSide || (k == lotLeft && B.get(x - 1, y) == lot) ||
                                             (k == lotRight && B.get(x + 1, y) == lot) ||
                                             (k == lotBelow && B.get(x, y + 1) == lot) ||
                                             (k == lotAbove && B.get(x, y - 1) == lot);
                                ASSERT_TRUE(named) << x << "," << y;
                            }
                    },
                    nullptr});
    EXPECT_GT(streets, 0);
}

// The lot scan finds rectangles of lot tiles that never overlap, so no
// building is ever raised on a street or over another lot's.
TEST(StreetGrid, LotsHoldNoStreetAndNeverOverlap) {
    forManyLayouts({nullptr,
                    [](const StreetGrid& B) {
                        std::vector<int> owner(static_cast<std::size_t>(B.nx * B.ny), -1);
                        std::vector<LotRect> lots = findLots(B);
                        ASSERT_FALSE(lots.empty());
                        for (std::size_t i = 0; i < lots.size(); ++i) {
                            const LotRect& r = lots[i];
                            ASSERT_GT(r.rows, 0);
                            ASSERT_GT(r.cols, 0);
                            for (int y = r.row0; y < r.row0 + r.rows; ++y)
                                for (int x = r.col0; x < r.col0 + r.cols; ++x) {
                                    ASSERT_EQ(B.get(x, y), lot)
                                        << "lot " << i << " covers a street at " << x << "," << y;
                                    int& o = owner[static_cast<std::size_t>(y * B.nx + x)];
                                    ASSERT_EQ(o, -1)
                                        << "lots " << o << " and " << i << " overlap at " << x << "," << y;
                                    o = static_cast<int>(i);
                                }
                        }
                    },
                    nullptr});
}

} // namespace
