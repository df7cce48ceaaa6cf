#include "effects/lighting/QuadTreeOccupant.h"
#include "effects/lighting/StaticQuadTree.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <vector>

namespace {

using qdt::AABB;

struct Box : qdt::QuadTreeOccupant {
    Box(sf::Vector2f centre, float half) { aabb = AABB::fromCenter(centre, {half, half}); }
    void moveTo(sf::Vector2f centre) {
        aabb = AABB::fromCenter(centre, aabb.halfDims);
        treeUpdate();
    }
};

bool found(const std::vector<qdt::QuadTreeOccupant*>& result, const qdt::QuadTreeOccupant& o) {
    return std::find(result.begin(), result.end(), &o) != result.end();
}

TEST(QuadTree, QueryFindsExactlyTheBoxesThatMeetIt) {
    qdt::StaticQuadTree tree(AABB::fromBounds({0, 0}, {1024, 1024}));
    Box a({100, 100}, 10), b({900, 900}, 10), c({512, 512}, 40), outside({5000, 5000}, 10);
    for (Box* box : {&a, &b, &c, &outside})
        tree.add(box);
    EXPECT_EQ(tree.size(), 4u);
    EXPECT_EQ(tree.outsideCount(), 1u);

    std::vector<qdt::QuadTreeOccupant*> result;
    tree.query(AABB::fromBounds({0, 0}, {520, 520}), result);
    EXPECT_TRUE(found(result, a));
    EXPECT_TRUE(found(result, c)) << "a box straddling the centre lives in the root and is still found";
    EXPECT_FALSE(found(result, b));
    EXPECT_FALSE(found(result, outside));

    result.clear();
    tree.query(AABB::fromBounds({4990, 4990}, {5000, 5000}), result);
    EXPECT_EQ(result, std::vector<qdt::QuadTreeOccupant*>{&outside});
}

TEST(QuadTree, MovingOrDestroyingAnOccupantKeepsTheIndexRight) {
    qdt::StaticQuadTree tree(AABB::fromBounds({0, 0}, {1024, 1024}));
    Box a({100, 100}, 10);
    tree.add(&a);
    a.moveTo({800, 300});
    std::vector<qdt::QuadTreeOccupant*> result;
    tree.query(AABB::fromBounds({700, 200}, {900, 400}), result);
    EXPECT_TRUE(found(result, a));
    result.clear();
    tree.query(AABB::fromBounds({0, 0}, {200, 200}), result);
    EXPECT_FALSE(found(result, a));

    {
        Box doomed({300, 300}, 5);
        tree.add(&doomed);
        EXPECT_EQ(tree.size(), 2u);
    }
    EXPECT_EQ(tree.size(), 1u) << "a destroyed occupant leaves its tree";
    tree.remove(&a);
    EXPECT_EQ(tree.size(), 0u);
    EXPECT_EQ(a.getTree(), nullptr);
}

TEST(QuadTree, TheGamesRegionKeepsEveryWorldOccupantOutsideAndFindsThemAll) {
    // The game builds its trees over a region the world never enters.
    qdt::StaticQuadTree tree(AABB::fromBounds({-1920, -1080}, {0, 0}));
    std::vector<std::unique_ptr<Box>> boxes;
    for (int i = 0; i < 50; ++i) {
        boxes.push_back(std::make_unique<Box>(sf::Vector2f(64.0f * i + 32, 500), 32));
        tree.add(boxes.back().get());
    }
    Box light({300, 500}, 2200);
    tree.add(&light);
    for (float x : {10.0f, 5000.0f, -300.0f})
        light.moveTo({x, 700});
    EXPECT_EQ(tree.outsideCount(), 51u);
    std::vector<qdt::QuadTreeOccupant*> result;
    tree.query(AABB::fromBounds({0, 0}, {64 * 50, 1000}), result);
    EXPECT_EQ(result.size(), 51u);
}

TEST(QuadTree, RemovalsInAnyOrderLeaveExactlyTheOthersToBeFound) {
    // Leaving moves another occupant into the leaver's place; whatever the
    // order, every query must still find what a plain list would.
    qdt::StaticQuadTree tree(AABB::fromBounds({0, 0}, {1024, 1024}));
    std::srand(5);
    auto coordinate = [] { return static_cast<float>(std::rand() % 2048 - 512); };
    std::vector<std::unique_ptr<Box>> boxes;
    for (int i = 0; i < 3000; ++i) {
        boxes.push_back(std::make_unique<Box>(sf::Vector2f(coordinate(), coordinate()),
                                              static_cast<float>(std::rand() % 40 + 1)));
        tree.add(boxes.back().get());
    }
    auto expectSameAsAPlainList = [&] {
        ASSERT_EQ(tree.size(), boxes.size());
        for (int q = 0; q < 20; ++q) {
            sf::Vector2f corner(coordinate(), coordinate());
            AABB box = AABB::fromBounds(corner, corner + sf::Vector2f(300, 300));
            std::vector<qdt::QuadTreeOccupant*> found, expected;
            tree.query(box, found);
            for (const auto& b : boxes)
                if (b->aabb.intersects(box))
                    expected.push_back(b.get());
            std::sort(found.begin(), found.end());
            std::sort(expected.begin(), expected.end());
            ASSERT_EQ(found, expected);
        }
    };
    for (int round = 0; round < 2500; ++round) {
        auto at = boxes.begin() + std::rand() % static_cast<int>(boxes.size());
        switch (round % 3) {
        case 0: // destroyed: it leaves the tree itself
            boxes.erase(at);
            break;
        case 1: // taken out, then destroyed outside the tree
            tree.remove(at->get());
            boxes.erase(at);
            break;
        default: // moved, perhaps into or out of the region
            (*at)->moveTo({coordinate(), coordinate()});
        }
        if (round % 250 == 0)
            expectSameAsAPlainList();
    }
    expectSameAsAPlainList();
}

} // namespace
