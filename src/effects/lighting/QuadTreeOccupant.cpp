#include "effects/lighting/QuadTreeOccupant.h"

#include "effects/lighting/QuadTree.h"

namespace qdt {

QuadTreeOccupant::~QuadTreeOccupant() {
    if (tree)
        tree->remove(this);
}

void QuadTreeOccupant::treeUpdate() {
    if (!tree)
        return;
    if (node && node->region.contains(aabb)) {
        bool fitsDeeper = false;
        for (const auto& child : node->children)
            fitsDeeper = fitsDeeper || (child && child->region.contains(aabb));
        if (!fitsDeeper)
            return;
    }
    QuadTree* owner = tree;
    owner->remove(this);
    owner->add(this);
}

} // namespace qdt
