#pragma once
// A quadtree over a fixed region. Occupants sit in the deepest node whose box
// holds theirs; those that fit nowhere in the region wait in an outside list
// that every query also tests. The tree does not own its occupants.

#include "effects/lighting/AABB.h"

#include <array>
#include <memory>
#include <vector>

namespace qdt {

class QuadTreeOccupant;

struct QuadTreeNode {
    AABB region;
    int depth = 0;
    std::array<std::unique_ptr<QuadTreeNode>, 4> children; // all set or all empty
    std::vector<QuadTreeOccupant*> occupants;
};

class QuadTree {
  public:
    virtual ~QuadTree();

    void add(QuadTreeOccupant* occupant);
    void remove(QuadTreeOccupant* occupant);
    // Appends every occupant whose box intersects the query box.
    void query(const AABB& box, std::vector<QuadTreeOccupant*>& result) const;

    std::size_t outsideCount() const { return outside.size(); }
    std::size_t size() const { return count; }

  protected:
    QuadTree() = default;
    std::unique_ptr<QuadTreeNode> root;

  private:
    friend class QuadTreeOccupant;
    void place(QuadTreeOccupant* occupant);
    static void unlist(std::vector<QuadTreeOccupant*>& list, QuadTreeOccupant* occupant);
    static void queryNode(const QuadTreeNode& node, const AABB& box, std::vector<QuadTreeOccupant*>& result);

    std::vector<QuadTreeOccupant*> outside;
    // The corners of each outside occupant's box, by the same index. A map
    // bigger than the region leaves nearly every wall out here, and every
    // query tests them all: a dense copy of the boxes is tested in one
    // sweep instead of a visit to each occupant.
    struct Corners {
        sf::Vector2f lower, upper;
    };
    std::vector<Corners> outsideBoxes;
    std::size_t count = 0;
};

} // namespace qdt
