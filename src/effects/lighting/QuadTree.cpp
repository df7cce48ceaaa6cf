#include "effects/lighting/QuadTree.h"

#include "effects/lighting/QuadTreeOccupant.h"

namespace qdt {

// Each occupant knows its place in the list that holds it: the last entry
// takes the leaving one's place, so leaving costs the same in any list.
void QuadTree::unlist(std::vector<QuadTreeOccupant*>& list, QuadTreeOccupant* occupant) {
    const std::size_t slot = occupant->slot;
    if (slot >= list.size() || list[slot] != occupant)
        return;
    list[slot] = list.back();
    list[slot]->slot = slot;
    list.pop_back();
}

QuadTree::~QuadTree() {
    // Occupants outlive a tree only at shutdown; let them forget it.
    std::vector<QuadTreeOccupant*> all;
    if (root)
        queryNode(*root, root->region, all);
    for (QuadTreeOccupant* occupant : outside)
        all.push_back(occupant);
    for (QuadTreeOccupant* occupant : all) {
        occupant->tree = nullptr;
        occupant->node = nullptr;
    }
}

void QuadTree::add(QuadTreeOccupant* occupant) {
    if (occupant->tree)
        occupant->tree->remove(occupant);
    occupant->tree = this;
    ++count;
    place(occupant);
}

void QuadTree::place(QuadTreeOccupant* occupant) {
    if (!root || !root->region.contains(occupant->aabb)) {
        occupant->node = nullptr;
        occupant->slot = outside.size();
        outside.push_back(occupant);
        outsideBoxes.push_back({occupant->aabb.lowerBound, occupant->aabb.upperBound});
        return;
    }
    QuadTreeNode* node = root.get();
    for (bool descended = true; descended;) {
        descended = false;
        for (auto& child : node->children)
            if (child && child->region.contains(occupant->aabb)) {
                node = child.get();
                descended = true;
                break;
            }
    }
    occupant->slot = node->occupants.size();
    node->occupants.push_back(occupant);
    occupant->node = node;
}

void QuadTree::remove(QuadTreeOccupant* occupant) {
    if (occupant->tree != this)
        return;
    if (occupant->node) {
        unlist(occupant->node->occupants, occupant);
    } else if (occupant->slot < outside.size() && outside[occupant->slot] == occupant) {
        outsideBoxes[occupant->slot] = outsideBoxes.back();
        outsideBoxes.pop_back();
        unlist(outside, occupant);
    }
    occupant->node = nullptr;
    occupant->tree = nullptr;
    --count;
}

void QuadTree::queryNode(const QuadTreeNode& node, const AABB& box, std::vector<QuadTreeOccupant*>& result) {
    if (!node.region.intersects(box))
        return;
    for (QuadTreeOccupant* occupant : node.occupants)
        if (occupant->aabb.intersects(box))
            result.push_back(occupant);
    for (const auto& child : node.children)
        if (child)
            queryNode(*child, box, result);
}

void QuadTree::query(const AABB& box, std::vector<QuadTreeOccupant*>& result) const {
    if (root)
        queryNode(*root, box, result);
    // The same test as AABB::intersects, on the copies.
    for (std::size_t i = 0; i < outsideBoxes.size(); ++i) {
        const Corners& c = outsideBoxes[i];
        if (c.lower.x <= box.upperBound.x && box.lowerBound.x <= c.upper.x && c.lower.y <= box.upperBound.y &&
            box.lowerBound.y <= c.upper.y)
            result.push_back(outside[i]);
    }
}

} // namespace qdt
