#include "effects/lighting/ConvexHull.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>

namespace {

std::vector<sf::Vector2f> read(const std::string& text) {
    std::istringstream in(text);
    return ltbl::ConvexHull::readShape(in);
}

TEST(ConvexHull, ReadsPairsAndStopsAtTheFirstIncompleteOne) {
    EXPECT_EQ(read("0 0\n64 0\n64 64\n0 64\n"),
              (std::vector<sf::Vector2f>{{0, 0}, {64, 0}, {64, 64}, {0, 64}}));
    EXPECT_EQ(read("1.5 -2e1 7"), (std::vector<sf::Vector2f>{{1.5f, -20}}));
    EXPECT_EQ(read("x 3 4 y"), (std::vector<sf::Vector2f>{{0, 3}, {4, 0}}))
        << "a word that is no number reads as 0";
    EXPECT_TRUE(read("").empty());
}

TEST(ConvexHull, ASquareTileIsCentredWithEdgeNormalsAndItsBox) {
    ltbl::ConvexHull hull;
    hull.setVertices(read("0 0 64 0 64 64 0 64"));
    hull.centerHull();
    hull.calculateNormals();
    hull.generateAABB();
    EXPECT_EQ(hull.vertices.front(), sf::Vector2f(-32, -32));
    EXPECT_EQ(hull.normals, (std::vector<sf::Vector2f>{{0, 64}, {-64, 0}, {0, -64}, {64, 0}}));
    hull.setWorldCenter({96, 1080 - 32});
    EXPECT_EQ(hull.aabb.lowerBound, sf::Vector2f(64, 1016));
    EXPECT_EQ(hull.aabb.upperBound, sf::Vector2f(128, 1080));
}

TEST(ConvexHull, AnEmptyOrTinyShapeIsHarmless) {
    ltbl::ConvexHull hull;
    hull.centerHull();
    hull.calculateNormals();
    hull.generateAABB();
    EXPECT_TRUE(hull.vertices.empty());
    EXPECT_EQ(hull.aabb.halfDims, sf::Vector2f(0, 0));
    hull.setVertices({{3, 4}});
    hull.centerHull();
    EXPECT_EQ(hull.vertices[0], sf::Vector2f(0, 0));
}

TEST(ConvexHull, AMissingFileIsReportedAndTheShapeIsReadOnlyOnce) {
    ltbl::ConvexHull hull;
    testing::internal::CaptureStdout();
    EXPECT_FALSE(hull.loadShape("no/such/hull.txt"));
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Could not load convex hull \"no/such/hull.txt\"!\n");

    const std::string path = testing::TempDir() + "hull-once.txt";
    std::ofstream(path) << "0 0 10 0 10 10";
    ASSERT_TRUE(hull.loadShape(path));
    std::remove(path.c_str());
    // Every wall tile asks for the same file; later hulls get the shape already read.
    ltbl::ConvexHull another;
    ASSERT_TRUE(another.loadShape(path));
    EXPECT_EQ(another.vertices, hull.vertices);
    EXPECT_EQ(another.vertices.size(), 3u);
}

} // namespace
