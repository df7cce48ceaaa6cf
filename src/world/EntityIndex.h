#pragma once
// A grid over one of a map's entity lists (its props or its enemies) for the
// collision tests of the world update, which otherwise walk the whole list
// for every entity that moves, each frame. It answers with the entities
// whose boxes come near a circle, in list order, so a caller that walks them
// meets the same entities in the same order as a walk of the whole list
// would. It holds while nothing joins the list and every entity that moves
// is handed to moved() before the next question: in the world update only
// the entity being updated moves (others only take pushes into their
// velocity), so the map builds its grids for the enemies' and the props'
// turns and clears them after.
//
// It also dates every change: each cell keeps the time an entity last moved
// in or out of it or within it, so that a body which found nothing to touch
// can tell, without asking again, that nothing near it has changed since.

#include <SFML/System/Vector2.hpp>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

class Mapentity;

// The collision test's contact rule: two circles touch when their centres
// are within the sum of their radii, with two per cent of slack.
inline bool circlesTouch(sf::Vector2f a, float radiusA, sf::Vector2f b, float radiusB) {
    const sf::Vector2f d = a - b;
    const float reach = radiusA + radiusB;
    return d.x * d.x + d.y * d.y <= reach * reach * 1.02f;
}

class EntityIndex {
  public:
    using List = std::vector<std::unique_ptr<Mapentity>>;

    // Indexes the entities of a map of the given size in pixels (those off
    // the map land in its edge cells). The list must outlive the index or its clear().
    void build(const List& entities, sf::Vector2f mapSize);
    void clear();
    // Whether the index still describes this list.
    bool covers(const List& entities) const { return list == &entities && count == entities.size(); }
    // Files entity i under its new place after it moved (or grew), and dates
    // the change; nothing when the index does not cover the list.
    void moved(const List& entities, std::size_t i);

    // Whether entity i, where it was last filed, touches a circle at centre.
    // While the index holds, that is where the entity is, and the question
    // needs no visit to the entity itself.
    bool touches(std::size_t i, sf::Vector2f centre, float radius) const {
        return circlesTouch(centre, radius, seen[i].position, seen[i].radius);
    }

    // The index's clock: it ticks with every change moved() or build() sees.
    std::uint64_t now() const { return clock; }
    // When an entity that can overlap a circle at centre of the given radius
    // last changed (or came or went), on that clock; never earlier than the
    // last build that filed the list afresh. The latest time of all for a
    // circle that is not a number.
    std::uint64_t lastChangeNear(sf::Vector2f centre, float radius) const;

    // Writes to out, ascending, the indices from `from` on of every entity
    // that can overlap a circle at centre of the given radius (with the
    // collision test's two per cent of slack), and perhaps of a few that cannot.
    void near(sf::Vector2f centre, float radius, std::size_t from, std::vector<std::size_t>& out) const;
    // The first of those indices for which test holds, or none: what a walk
    // of near()'s answer would stop at, without gathering and sorting it.
    // test must answer the same however often it is asked.
    template <typename Test>
    std::optional<std::size_t> firstNear(sf::Vector2f centre, float radius, std::size_t from,
                                         Test test) const;

  private:
    struct Span {
        int x0, y0, x1, y1;
        bool everywhere; // one at no number is named to every question
        bool operator==(const Span&) const = default;
    };
    Span cellsOf(sf::Vector2f centre, float reach) const;
    // How far around an entity's centre a box must reach to catch every
    // circle the collision test passes: sqrt(1.02) times the radius, and a
    // little over.
    static float reachOf(float radius) { return std::abs(radius) * 1.011f + 1; }
    Span spanOf(const Mapentity& entity) const;
    void file(std::uint32_t i, const Span& span, bool add);
    void stamp(const Span& span);
    // Where an entity was when it was last filed: a call of moved() that
    // finds it there has nothing to do.
    struct Seen {
        sf::Vector2f position;
        float radius = 0;
    };
    static Seen seenOf(const Mapentity& entity);

    const List* list = nullptr;
    std::size_t count = 0;
    int columns = 0, rows = 0;
    std::vector<std::vector<std::uint32_t>> cells; // column-major, list indices ascending
    std::vector<Span> spans;                       // where each entity is filed
    std::vector<Seen> seen;
    std::vector<std::uint64_t> stamps; // per cell, when an entity last changed in it
    std::uint64_t clock = 0;
    std::uint64_t filedAfresh = 0;
};

template <typename Test>
std::optional<std::size_t> EntityIndex::firstNear(sf::Vector2f centre, float radius, std::size_t from,
                                                  Test test) const {
    if (!std::isfinite(centre.x) || !std::isfinite(centre.y) || !std::isfinite(radius)) {
        for (std::size_t i = from; i < count; ++i)
            if (test(i))
                return i;
        return std::nullopt;
    }
    // Each cell is ascending: its first match is its least, and the least of
    // those is the answer. A cell stops at the best found so far.
    std::size_t best = count;
    const Span s = cellsOf(centre, reachOf(radius));
    for (int x = s.x0; x <= s.x1; ++x)
        for (int y = s.y0; y <= s.y1; ++y) {
            const auto& cell = cells[static_cast<std::size_t>(x * rows + y)];
            for (auto i = std::lower_bound(cell.begin(), cell.end(), from); i != cell.end() && *i < best; ++i)
                if (test(*i)) {
                    best = *i;
                    break;
                }
        }
    if (best == count)
        return std::nullopt;
    return best;
}
