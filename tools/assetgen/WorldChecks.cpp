// Checks run on the written images right after generation. They guard the
// two faults that would not show until someone walks through a level: a cell
// the game addresses that was left empty, and tiles that were meant to sit
// side by side but show a seam.
#include "WorldKit.h"

#include <SFML/Graphics/Image.hpp>

#include <cmath>
#include <stdexcept>

namespace worldart {

namespace {

struct Cell {
    int x, y, w, h;
};

sf::Image load(const std::string& path) {
    sf::Image image;
    if (!image.loadFromFile(path))
        throw std::runtime_error("cannot read back " + path);
    return image;
}

void requireSize(const sf::Image& image, const std::string& name, unsigned minW, unsigned minH) {
    if (image.getSize().x < minW || image.getSize().y < minH)
        throw std::runtime_error(name + " is smaller than the game addresses");
}

// Share of pixels in the cell that are at least half opaque.
float coverage(const sf::Image& image, Cell c) {
    int solid = 0;
    for (int y = c.y; y < c.y + c.h; ++y)
        for (int x = c.x; x < c.x + c.w; ++x)
            if (image.getPixel(static_cast<unsigned>(x), static_cast<unsigned>(y)).a >= 128)
                ++solid;
    return static_cast<float>(solid) / static_cast<float>(c.w * c.h);
}

void requireCoverage(const sf::Image& image, const std::string& name, Cell c, float minimum) {
    if (coverage(image, c) < minimum)
        throw std::runtime_error(name + ": cell at (" + std::to_string(c.x) + ", " + std::to_string(c.y) +
                                 ") is missing or too transparent");
}

float pixelDifference(sf::Color a, sf::Color b) {
    return (std::abs(a.r - b.r) + std::abs(a.g - b.g) + std::abs(a.b - b.b)) / 3.0f;
}

// Mean colour step across the seam where tile `right` follows tile `left`
// (or `lower` follows `upper`), against the mean step between neighbouring
// pixels inside the tiles. A seam may be a little rougher than the surface,
// never a visible edge.
void requireSeamless(const sf::Image& sheet, const std::string& name, Cell a, Cell b) {
    float seamH = 0, seamV = 0, inside = 0;
    for (int i = 0; i < 64; ++i) {
        auto pa = [&](int x, int y) { return sheet.getPixel(static_cast<unsigned>(a.x + x), static_cast<unsigned>(a.y + y)); };
        auto pb = [&](int x, int y) { return sheet.getPixel(static_cast<unsigned>(b.x + x), static_cast<unsigned>(b.y + y)); };
        seamH += pixelDifference(pa(63, i), pb(0, i));
        seamV += pixelDifference(pa(i, 63), pb(i, 0));
        for (int k = 1; k < 63; k += 7)
            inside += (pixelDifference(pa(k, i), pa(k + 1, i)) + pixelDifference(pa(i, k), pa(i, k + 1))) / 2.0f;
    }
    seamH /= 64;
    seamV /= 64;
    inside /= 64.0f * 9.0f;
    float limit = inside * 2.2f + 6.0f;
    if (seamH > limit || seamV > limit)
        throw std::runtime_error(name + ": tiles at (" + std::to_string(a.x) + ", " + std::to_string(a.y) + ") and (" +
                                 std::to_string(b.x) + ", " + std::to_string(b.y) + ") do not join seamlessly");
}

Cell tile(int column, int row) { return {column * 64, row * 64, 64, 64}; }

} // namespace

void checkWorldArt(const std::string& graphicsDir, const std::string& dataDir) {
    sf::Image sheet = load(graphicsDir + "/TileShet.png");
    requireSize(sheet, "TileShet.png", 11 * 64, 11 * 64);
    // Walls: every variant of a theme next to every other.
    for (int theme = 0; theme < 5; ++theme)
        for (int a = 0; a < 6; ++a) {
            requireCoverage(sheet, "TileShet.png", tile(a, theme), 1.0f);
            for (int b = 0; b < 6; ++b)
                requireSeamless(sheet, "TileShet.png", tile(a, theme), tile(b, theme));
        }
    // Yard and street ground, picked at random per cell.
    for (int row : {5, 6})
        for (int a = 0; a < 3; ++a) {
            requireCoverage(sheet, "TileShet.png", tile(a, row), 1.0f);
            for (int b = 0; b < 3; ++b)
                requireSeamless(sheet, "TileShet.png", tile(a, row), tile(b, row));
        }
    // Indoor floors repeat with themselves.
    for (int row : {8, 9, 10}) {
        requireCoverage(sheet, "TileShet.png", tile(0, row), 1.0f);
        requireSeamless(sheet, "TileShet.png", tile(0, row), tile(0, row));
    }
    for (int row : {0, 1})
        for (int column = 6; column <= 10; ++column)
            requireCoverage(sheet, "TileShet.png", tile(column, row), 0.25f);

    sf::Image buttons = load(graphicsDir + "/Buttons.png");
    requireSize(buttons, "Buttons.png", 800, 424);
    for (Cell c : {Cell{0, 360, 96, 64}, Cell{0, 240, 128, 64}, Cell{0, 110, 256, 128}, Cell{0, 0, 400, 110}}) {
        requireCoverage(buttons, "Buttons.png", c, 0.9f);
        requireCoverage(buttons, "Buttons.png", {c.x + 400, c.y, c.w, c.h}, 0.9f);
    }

    sf::Image edges = load(graphicsDir + "/floorshado.png");
    requireSize(edges, "floorshado.png", 4 * 96, 96);
    for (int k = 0; k < 4; ++k)
        requireCoverage(edges, "floorshado.png", {k * 96 + 16, 16, 64, 64}, 0.05f);

    requireSize(load(graphicsDir + "/shado.png"), "shado.png", 96, 96);
    sf::Image background = load(graphicsDir + "/MainmenuBG.png");
    requireSize(background, "MainmenuBG.png", 1920 + 666, 1080);
    requireCoverage(background, "MainmenuBG.png", {0, 0, 1920 + 666, 1080}, 1.0f);
    sf::Image door = load(graphicsDir + "/doors.png");
    requireSize(door, "doors.png", 960, 1080);
    requireCoverage(door, "doors.png", {0, 0, 960, 1080}, 1.0f);
    for (const char* name : {"MainmenuFG.png", "OptionsBG.png", "BloodyScreen.png", "GameInfoOverlay.png", "helpoverlay.png"})
        requireSize(load(graphicsDir + "/" + name), name, 1920, 1080);
    requireSize(load(dataDir + "/lightFin.png"), "lightFin.png", 2, 2);
}

} // namespace worldart
