#pragma once
// A quadtree whose nodes are all built up front over a region that never changes.

#include "effects/lighting/QuadTree.h"

namespace qdt {

class StaticQuadTree : public QuadTree {
  public:
    explicit StaticQuadTree(const AABB& region, int maxDepth = 4);
};

} // namespace qdt
