#pragma once
// The light mask's screen cut into square cells of its texels. The mask is
// laid over the scene scaled up smoothly, so a pixel reads the texels around
// where it lands; where every texel a cell's pixels read has the same light,
// the mask lays one colour over the whole cell, and a flat rectangle of that
// colour does what the mask's pass would at a fraction of its cost. Most of
// a level's screen is such cells: the shadows, and the walls in sight.

#include <SFML/Graphics/Color.hpp>

#include <cstdint>
#include <vector>

struct MaskCell {
    unsigned x = 0, y = 0, width = 0, height = 0; // in texels, rows counted from the top
    bool even = false;                            // every texel read holds the same light
    std::uint8_t light = 0;                       // that light, when even
};

// light: a byte a texel, rows from the top, width * height of them.
std::vector<MaskCell> maskCells(const std::vector<std::uint8_t>& light, unsigned width, unsigned height,
                                unsigned cell);

// The colour the mask's pass lays where the mask holds the given light, with
// the level's tint (alpha 0 for none): premultiplied, to be blended as (one,
// one minus source alpha). The same arithmetic as the pass's shader.
sf::Color laidColour(std::uint8_t light, sf::Color tint);
