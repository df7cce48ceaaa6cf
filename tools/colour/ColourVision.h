#pragma once
// Colour science for judging the tier palettes: how a colour looks to
// people with red-, green- or blue-weak sight, how far apart two colours
// look (CIEDE2000), and how well a text colour stands out from its
// background (the contrast ratio of the web's accessibility guidelines).
// Plain functions over values; the palette test and the palette tool use them.

#include <SFML/Graphics/Color.hpp>

#include <array>
#include <string>
#include <vector>

namespace colourvision {

// Normal sight, and full protanopia, deuteranopia and tritanopia.
enum class Sight { normal, protan, deutan, tritan };
constexpr std::array<Sight, 4> sights = {Sight::normal, Sight::protan, Sight::deutan, Sight::tritan};
const char* sightName(Sight sight);

struct Linear {
    double r, g, b; // linear-light sRGB, 0..1
};
struct Lab {
    double L, a, b; // CIELAB under D65
};

// The colour as the given sight sees it, in linear light.
Linear simulate(sf::Color colour, Sight sight);
Lab toLab(Linear colour);
double ciede2000(const Lab& first, const Lab& second);
double relativeLuminance(Linear colour);
// 1 (no contrast) to 21 (black on white).
double contrastRatio(Linear first, Linear second);

// A pair of colours, or a colour and the background (second == -1), that
// falls short in one sight.
struct Shortfall {
    Sight sight;
    int first, second;
    double value; // the difference, or the contrast ratio against the background
};
// Every two colours must differ by minDifference and every colour reach
// minContrast against the background, in every sight.
std::vector<Shortfall> shortfalls(const std::vector<sf::Color>& colours, sf::Color background,
                                  double minDifference, double minContrast);
// One line per shortfall, naming the colours by the given names.
std::string describe(const std::vector<Shortfall>& found, const std::vector<std::string>& names);

} // namespace colourvision
