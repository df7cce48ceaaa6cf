#include "world/MaskCells.h"

#include <algorithm>
#include <cmath>

namespace {

// The slope that fits the texels of [x0, x1] x [y0, y1] best (least
// squares), and whether every one of them lies within tolerance of it. On a
// full grid the two directions fit apart: each slope is its own regression.
void fitSlope(MaskCell& c, const std::vector<std::uint8_t>& light, unsigned width, unsigned x0, unsigned x1,
              unsigned y0, unsigned y1, float tolerance) {
    const float nx = static_cast<float>(x1 - x0 + 1), ny = static_cast<float>(y1 - y0 + 1);
    c.centreX = static_cast<float>(x0 + x1) / 2 + 0.5f;
    c.centreY = static_cast<float>(y0 + y1) / 2 + 0.5f;
    float sum = 0, sumX = 0, sumY = 0, varX = 0, varY = 0;
    for (unsigned v = y0; v <= y1; ++v)
        for (unsigned u = x0; u <= x1; ++u) {
            const float value = light[static_cast<std::size_t>(v) * width + u];
            const float dx = static_cast<float>(u) + 0.5f - c.centreX,
                        dy = static_cast<float>(v) + 0.5f - c.centreY;
            sum += value;
            sumX += value * dx;
            sumY += value * dy;
            varX += dx * dx;
            varY += dy * dy;
        }
    c.level = sum / (nx * ny);
    c.across = varX > 0 ? sumX / varX : 0;
    c.down = varY > 0 ? sumY / varY : 0;
    c.sloped = true;
    for (unsigned v = y0; v <= y1 && c.sloped; ++v)
        for (unsigned u = x0; u <= x1 && c.sloped; ++u)
            c.sloped =
                std::abs(light[static_cast<std::size_t>(v) * width + u] -
                         c.lightAt(static_cast<float>(u) + 0.5f, static_cast<float>(v) + 0.5f)) <= tolerance;
}

// Texels within the tolerance of a slope bend by at most four times it from
// one to the next two, along a row or down a column: the slope itself does
// not bend, and each of the three strays by the tolerance at most. A bend a
// level sharper than that, as a shadow's edge makes, rules a slope out
// before any fitting, with room to spare for the fit's rounding.
bool bendsSharply(const std::vector<std::uint8_t>& light, unsigned width, unsigned x0, unsigned x1,
                  unsigned y0, unsigned y1, float tolerance) {
    const int sharp = static_cast<int>(std::ceil(4 * tolerance + 1));
    auto at = [&](unsigned u, unsigned v) {
        return static_cast<int>(light[static_cast<std::size_t>(v) * width + u]);
    };
    for (unsigned v = y0; v <= y1; ++v)
        for (unsigned u = x0; u + 2 <= x1; ++u)
            if (std::abs(at(u, v) - 2 * at(u + 1, v) + at(u + 2, v)) >= sharp)
                return true;
    for (unsigned v = y0; v + 2 <= y1; ++v)
        for (unsigned u = x0; u <= x1; ++u)
            if (std::abs(at(u, v) - 2 * at(u, v + 1) + at(u, v + 2)) >= sharp)
                return true;
    return false;
}

// A cell of the given place and size: even, sloped or neither.
MaskCell judgeCell(const std::vector<std::uint8_t>& light, unsigned width, unsigned height, unsigned x,
                   unsigned y, unsigned w, unsigned h, float tolerance) {
    MaskCell c{x, y, w, h, true, 0};
    // Smooth scaling reads a texel beyond the cell on each side; at the
    // mask's edges it reads the edge again.
    const unsigned x0 = x > 0 ? x - 1 : 0, x1 = std::min(x + w, width - 1);
    const unsigned y0 = y > 0 ? y - 1 : 0, y1 = std::min(y + h, height - 1);
    c.light = light[static_cast<std::size_t>(y0) * width + x0];
    // A whole row at a time, which the compiler checks many texels a step.
    for (unsigned v = y0; v <= y1 && c.even; ++v) {
        const std::uint8_t* row = &light[static_cast<std::size_t>(v) * width];
        bool same = true;
        for (unsigned u = x0; u <= x1; ++u)
            same &= row[u] == c.light;
        c.even = same;
    }
    if (!c.even && tolerance > 0 && !bendsSharply(light, width, x0, x1, y0, y1, tolerance))
        fitSlope(c, light, width, x0, x1, y0, y1, tolerance);
    return c;
}

} // namespace

std::vector<MaskCell> maskCells(const std::vector<std::uint8_t>& light, unsigned width, unsigned height,
                                unsigned cell, float tolerance, unsigned finest) {
    std::vector<MaskCell> cells;
    if (cell == 0 || width == 0 || height == 0 || light.size() < static_cast<std::size_t>(width) * height)
        return cells;
    finest = finest == 0 ? cell : std::min(finest, cell);
    // A cell neither even nor sloped tries its quarters, which keep what of
    // it is; when none of them is, it stays whole, one rectangle to lay.
    auto place = [&](auto& self, unsigned x, unsigned y, unsigned size) -> void {
        const MaskCell whole = judgeCell(light, width, height, x, y, std::min(size, width - x),
                                         std::min(size, height - y), tolerance);
        const unsigned half = size / 2;
        if (whole.even || whole.sloped || half < finest) {
            cells.push_back(whole);
            return;
        }
        const std::size_t before = cells.size();
        for (unsigned v = y; v < std::min(y + size, height); v += half)
            for (unsigned u = x; u < std::min(x + size, width); u += half)
                self(self, u, v, half);
        if (std::none_of(cells.begin() + static_cast<std::ptrdiff_t>(before), cells.end(),
                         [](const MaskCell& c) { return c.even || c.sloped; })) {
            cells.resize(before);
            cells.push_back(whole);
        }
    };
    for (unsigned y = 0; y < height; y += cell)
        for (unsigned x = 0; x < width; x += cell)
            place(place, x, y, cell);
    return cells;
}

sf::Color laidColour(float light, sf::Color tint) {
    const float lit = std::clamp(light / 255.0f, 0.0f, 1.0f), a = static_cast<float>(tint.a) / 255.0f;
    // Even full darkness keeps a trace of the scene so walls can be read.
    const float darkness = (1.0f - lit) * 0.88f;
    auto channel = [&](float night, sf::Uint8 t) {
        const float v = night * darkness * (1.0f - a) + static_cast<float>(t) / 255.0f * a;
        return static_cast<sf::Uint8>(std::floor(std::clamp(v, 0.0f, 1.0f) * 255.0f + 0.5f));
    };
    const float cover = 1.0f - (1.0f - darkness) * (1.0f - a);
    return {channel(0.02f, tint.r), channel(0.02f, tint.g), channel(0.06f, tint.b),
            static_cast<sf::Uint8>(std::floor(std::clamp(cover, 0.0f, 1.0f) * 255.0f + 0.5f))};
}
