#include "world/MaskCells.h"

#include <algorithm>
#include <cmath>

std::vector<MaskCell> maskCells(const std::vector<std::uint8_t>& light, unsigned width, unsigned height,
                                unsigned cell) {
    std::vector<MaskCell> cells;
    if (cell == 0 || width == 0 || height == 0 || light.size() < static_cast<std::size_t>(width) * height)
        return cells;
    for (unsigned y = 0; y < height; y += cell)
        for (unsigned x = 0; x < width; x += cell) {
            MaskCell c{x, y, std::min(cell, width - x), std::min(cell, height - y), true, 0};
            // Smooth scaling reads a texel beyond the cell on each side; at
            // the mask's edges it reads the edge again.
            const unsigned x0 = x > 0 ? x - 1 : 0, x1 = std::min(x + c.width, width - 1);
            const unsigned y0 = y > 0 ? y - 1 : 0, y1 = std::min(y + c.height, height - 1);
            c.light = light[static_cast<std::size_t>(y0) * width + x0];
            for (unsigned v = y0; v <= y1 && c.even; ++v)
                for (unsigned u = x0; u <= x1 && c.even; ++u)
                    c.even = light[static_cast<std::size_t>(v) * width + u] == c.light;
            cells.push_back(c);
        }
    return cells;
}

sf::Color laidColour(std::uint8_t light, sf::Color tint) {
    const float lit = static_cast<float>(light) / 255.0f, a = static_cast<float>(tint.a) / 255.0f;
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
