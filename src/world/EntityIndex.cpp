#include "world/EntityIndex.h"

#include "world/Mapentity.h"

#include <algorithm>
#include <cmath>

namespace {

// Two tiles a side: a prop or an enemy spans one to four cells.
constexpr float cellSize = 128;

} // namespace

EntityIndex::Span EntityIndex::cellsOf(sf::Vector2f centre, float reach) const {
    // Clamped to the grid first, the cell number is never negative, so the
    // conversion's truncation is the floor, without the library call.
    auto cell = [](float v, int cellCount) {
        return static_cast<int>(std::clamp(v / cellSize, 0.0f, static_cast<float>(cellCount - 1)));
    };
    return {cell(centre.x - reach, columns), cell(centre.y - reach, rows), cell(centre.x + reach, columns),
            cell(centre.y + reach, rows), false};
}

EntityIndex::Span EntityIndex::spanOf(const Mapentity& entity) const {
    if (!std::isfinite(entity.position.x) || !std::isfinite(entity.position.y) ||
        !std::isfinite(entity.radius))
        return {0, 0, columns - 1, rows - 1, true};
    return cellsOf(entity.position, reachOf(entity.radius));
}

EntityIndex::Seen EntityIndex::seenOf(const Mapentity& entity) {
    return {entity.position, entity.radius};
}

void EntityIndex::stamp(const Span& span) {
    // A body lost off every number overlaps nothing: there is no place to date.
    if (span.everywhere)
        return;
    for (int x = span.x0; x <= span.x1; ++x)
        for (int y = span.y0; y <= span.y1; ++y)
            stamps[static_cast<std::size_t>(x * rows + y)] = clock;
}

std::uint64_t EntityIndex::lastChangeNear(sf::Vector2f centre, float radius) const {
    if (!std::isfinite(centre.x) || !std::isfinite(centre.y) || !std::isfinite(radius))
        return UINT64_MAX;
    std::uint64_t latest = filedAfresh;
    const Span s = cellsOf(centre, reachOf(radius));
    for (int x = s.x0; x <= s.x1; ++x)
        for (int y = s.y0; y <= s.y1; ++y)
            latest = std::max(latest, stamps[static_cast<std::size_t>(x * rows + y)]);
    return latest;
}

// Keeps each cell's indices ascending: near() merges them in list order.
void EntityIndex::file(std::uint32_t i, const Span& span, bool add) {
    for (int x = span.x0; x <= span.x1; ++x)
        for (int y = span.y0; y <= span.y1; ++y) {
            auto& cell = cells[static_cast<std::size_t>(x * rows + y)];
            auto at = std::lower_bound(cell.begin(), cell.end(), i);
            if (add && (at == cell.end() || *at != i))
                cell.insert(at, i);
            else if (!add && at != cell.end() && *at == i)
                cell.erase(at);
        }
}

void EntityIndex::build(const List& entities, sf::Vector2f mapSize) {
    const int newColumns = std::max(1, static_cast<int>(std::ceil(mapSize.x / cellSize)));
    const int newRows = std::max(1, static_cast<int>(std::ceil(mapSize.y / cellSize)));
    const bool sameGrid = newColumns == columns && newRows == rows && !cells.empty();
    if (sameGrid && spans.size() == entities.size()) {
        // Built every frame, and from one frame to the next most entities
        // stay in their cells (a prop hardly ever moves): each index is
        // checked and refiled only when its entity left them, which holds
        // whatever became of the list in between. A list of another length
        // is filed afresh.
        list = &entities;
        count = entities.size();
        for (std::size_t i = 0; i < count; ++i)
            moved(entities, i);
        return;
    }
    // Everything filed afresh counts as changed now.
    filedAfresh = ++clock;
    if (!sameGrid) {
        columns = newColumns;
        rows = newRows;
        cells.assign(static_cast<std::size_t>(columns) * static_cast<std::size_t>(rows), {});
        stamps.assign(cells.size(), 0);
    } else {
        // Only the cells filed last time are emptied, and they keep their room.
        for (const Span& span : spans)
            for (int x = span.x0; x <= span.x1; ++x)
                for (int y = span.y0; y <= span.y1; ++y)
                    cells[static_cast<std::size_t>(x * rows + y)].clear();
    }
    list = &entities;
    count = entities.size();
    spans.clear();
    seen.clear();
    // Filed in list order, so every cell's indices come out ascending.
    for (std::size_t i = 0; i < entities.size(); ++i) {
        spans.push_back(spanOf(*entities[i]));
        seen.push_back(seenOf(*entities[i]));
        const Span& span = spans.back();
        for (int x = span.x0; x <= span.x1; ++x)
            for (int y = span.y0; y <= span.y1; ++y)
                cells[static_cast<std::size_t>(x * rows + y)].push_back(static_cast<std::uint32_t>(i));
    }
}

void EntityIndex::moved(const List& entities, std::size_t i) {
    if (!covers(entities) || i >= count)
        return;
    const Mapentity& entity = *entities[i];
    // Most entities, and nearly every prop, are where they were.
    if (entity.position == seen[i].position && entity.radius == seen[i].radius)
        return;
    seen[i] = seenOf(entity);
    ++clock;
    stamp(spans[i]);
    const Span span = spanOf(entity);
    if (span == spans[i])
        return;
    file(static_cast<std::uint32_t>(i), spans[i], false);
    file(static_cast<std::uint32_t>(i), span, true);
    spans[i] = span;
    stamp(span);
}

void EntityIndex::clear() {
    // The cells and spans stay for the next build to empty.
    list = nullptr;
    count = 0;
}

void EntityIndex::near(sf::Vector2f centre, float radius, std::size_t from,
                       std::vector<std::size_t>& out) const {
    out.clear();
    if (!std::isfinite(centre.x) || !std::isfinite(centre.y) || !std::isfinite(radius)) {
        for (std::size_t i = from; i < count; ++i)
            out.push_back(i);
        return;
    }
    Span s = cellsOf(centre, reachOf(radius));
    for (int x = s.x0; x <= s.x1; ++x)
        for (int y = s.y0; y <= s.y1; ++y) {
            const auto& cell = cells[static_cast<std::size_t>(x * rows + y)];
            out.insert(out.end(), std::lower_bound(cell.begin(), cell.end(), from), cell.end());
        }
    // One cell's indices are in order already.
    if (s.x0 != s.x1 || s.y0 != s.y1) {
        std::sort(out.begin(), out.end());
        out.erase(std::unique(out.begin(), out.end()), out.end());
    }
}
