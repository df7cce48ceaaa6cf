#include "effects/lighting/StaticQuadTree.h"

namespace qdt {

namespace {
void subdivide(QuadTreeNode& node, int maxDepth) {
    if (node.depth >= maxDepth)
        return;
    const sf::Vector2f lower = node.region.lowerBound, mid = node.region.center,
                       upper = node.region.upperBound;
    const AABB quarters[4] = {
        AABB::fromBounds(lower, mid),
        AABB::fromBounds({mid.x, lower.y}, {upper.x, mid.y}),
        AABB::fromBounds({lower.x, mid.y}, {mid.x, upper.y}),
        AABB::fromBounds(mid, upper),
    };
    for (int i = 0; i < 4; ++i) {
        node.children[static_cast<std::size_t>(i)] = std::make_unique<QuadTreeNode>();
        QuadTreeNode& child = *node.children[static_cast<std::size_t>(i)];
        child.region = quarters[i];
        child.depth = node.depth + 1;
        subdivide(child, maxDepth);
    }
}
} // namespace

StaticQuadTree::StaticQuadTree(const AABB& region, int maxDepth) {
    root = std::make_unique<QuadTreeNode>();
    root->region = region;
    subdivide(*root, maxDepth);
}

} // namespace qdt
