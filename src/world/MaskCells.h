#pragma once
// The light mask's screen cut into square cells of its texels. The mask is
// laid over the scene scaled up smoothly, so a pixel reads the texels around
// where it lands; where every texel a cell's pixels read has the same light,
// the mask lays one colour over the whole cell, and a flat rectangle of that
// colour does what the mask's pass would at a fraction of its cost. Most of
// a level's screen is such cells: the shadows, and the walls in sight.
// Where the light only slopes across a cell, as it fades with distance from
// the player, a rectangle shaded from corner to corner does it as well, when
// no texel strays from the slope by more than a given tolerance.

#include <SFML/Graphics/Color.hpp>

#include <cstdint>
#include <vector>

struct MaskCell {
    unsigned x = 0, y = 0, width = 0, height = 0; // in texels, rows counted from the top
    bool even = false;                            // every texel read holds the same light
    std::uint8_t light = 0;                       // that light, when even
    // Whether the light lies on a slope, within the tolerance, and the slope:
    // the light at a point of the mask (in texels, 0 at its top left corner).
    bool sloped = false;
    float level = 0, across = 0, down = 0, centreX = 0, centreY = 0;
    float lightAt(float u, float v) const { return level + across * (u - centreX) + down * (v - centreY); }
};

// light: a byte a texel, rows from the top, width * height of them. A
// tolerance of 0 finds even cells only. With finest, a cell neither even
// nor sloped is cut in quarters, down to cells of finest texels, wherever a
// part of it is; the parts follow one another in the order they lie within
// the cell.
std::vector<MaskCell> maskCells(const std::vector<std::uint8_t>& light, unsigned width, unsigned height,
                                unsigned cell, float tolerance = 0, unsigned finest = 0);

// The colour the mask's pass lays where the mask holds the given light, with
// the level's tint (alpha 0 for none): premultiplied, to be blended as (one,
// one minus source alpha). The same arithmetic as the pass's shader.
sf::Color laidColour(float light, sf::Color tint);
