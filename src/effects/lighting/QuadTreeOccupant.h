#pragma once
// Something a quadtree can index by its bounding box: lights and shadow
// hulls. An occupant belongs to at most one tree; it leaves it when it is
// destroyed, so a tree never holds a dangling entry.

#include "effects/lighting/AABB.h"

#include <cstddef>

namespace qdt {

class QuadTree;
struct QuadTreeNode;

class QuadTreeOccupant {
  public:
    QuadTreeOccupant() = default;
    QuadTreeOccupant(const QuadTreeOccupant&) = delete;
    QuadTreeOccupant& operator=(const QuadTreeOccupant&) = delete;
    virtual ~QuadTreeOccupant();

    // Call after changing aabb: keeps the node while the box still fits it,
    // otherwise moves the occupant to where the box now belongs.
    void treeUpdate();
    QuadTree* getTree() const { return tree; }

    AABB aabb;

  private:
    friend class QuadTree;
    QuadTreeNode* node = nullptr; // null while in the tree's outside list
    QuadTree* tree = nullptr;
    std::size_t slot = 0; // the index in the node's list or the outside list
};

} // namespace qdt
