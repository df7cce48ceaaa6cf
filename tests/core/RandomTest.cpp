#include "core/Random.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <vector>

namespace {

TEST(RandInt, DrawsEveryValueBetweenItsBoundsGivenInEitherOrder) {
    std::srand(5);
    std::set<int> seen;
    for (int i = 0; i < 2000; ++i) {
        int v = randInt(-2, 3);
        ASSERT_GE(v, -2);
        ASSERT_LE(v, 3);
        seen.insert(v);
    }
    EXPECT_EQ(seen.size(), 6u);
    // Reversed bounds are the same draw, not an empty or negative range.
    for (unsigned seed : {1u, 2u, 3u}) {
        std::srand(seed);
        int ordered = randInt(4, 40);
        std::srand(seed);
        EXPECT_EQ(randInt(40, 4), ordered);
    }
}

TEST(RandInt, EqualBoundsReturnThatValueWithoutDrawing) {
    std::srand(9);
    int next = std::rand();
    std::srand(9);
    EXPECT_EQ(randInt(7, 7), 7);
    EXPECT_EQ(randInt(-3, -3), -3);
    EXPECT_EQ(std::rand(), next);
}

TEST(PeekRand, ShowsTheNextValueAndLeavesTheSequenceAlone) {
    for (unsigned seed : {1u, 77u, 20261207u}) {
        std::srand(seed);
        std::vector<int> plain;
        for (int i = 0; i < 50; ++i)
            plain.push_back(std::rand());
        std::srand(seed);
        for (int i = 0; i < 50; ++i) {
            EXPECT_EQ(peekRand(), plain[static_cast<std::size_t>(i)]);
            EXPECT_EQ(peekRand(), plain[static_cast<std::size_t>(i)]);
            EXPECT_EQ(std::rand(), plain[static_cast<std::size_t>(i)]);
        }
    }
}
} // namespace
