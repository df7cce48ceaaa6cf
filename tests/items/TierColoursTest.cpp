#include "items/RarityColour.h"

#include "ColourVision.h"
#include "screens/InfoPanel.h"

#include <gtest/gtest.h>

#include <iostream>

namespace {

using namespace colourvision;

std::vector<std::string> tierNames() {
    std::vector<std::string> names;
    for (int tier = 0; tier < tierCount; ++tier)
        names.emplace_back(tierWord(tier));
    return names;
}

std::vector<Shortfall> shortfallsOf(TierPalette palette) {
    const auto& colours = tierColours(palette);
    return shortfalls({colours.begin(), colours.end()}, InfoPanel::fill, 15, 4.5);
}

TEST(TierColours, TheMeasuresAgreeWithTheirPublishedValues) {
    // Pairs from the CIEDE2000 test data of Sharma, Wu & Dalal (2005), whose
    // cases include the hue-angle edge cases an implementation gets wrong.
    const std::pair<Lab, Lab> pairs[] = {{{50, 2.6772, -79.7751}, {50, 0, -82.7485}},
                                         {{50, 0, 0}, {50, -1, 2}},
                                         {{50, 2.5, 0}, {73, 25, -18}},
                                         {{50, 2.5, 0}, {50, 0, -2.5}},
                                         {{60.2574, -34.0099, 36.2677}, {60.4626, -34.1751, 39.4387}}};
    const double expected[] = {2.0425, 2.3669, 27.1492, 4.3065, 1.2644};
    for (std::size_t i = 0; i < std::size(pairs); ++i) {
        EXPECT_NEAR(ciede2000(pairs[i].first, pairs[i].second), expected[i], 1e-4) << i;
        EXPECT_NEAR(ciede2000(pairs[i].second, pairs[i].first), expected[i], 1e-4) << i;
    }
    EXPECT_NEAR(
        contrastRatio(simulate(sf::Color::Black, Sight::normal), simulate(sf::Color::White, Sight::normal)),
        21, 1e-9);
    // The simulations keep white white, and each confuses what its kind of
    // sight confuses: red with green for protans and deutans, blue with green for tritans.
    auto apart = [](sf::Color a, sf::Color b, Sight s) {
        return ciede2000(toLab(simulate(a, s)), toLab(simulate(b, s)));
    };
    for (Sight s : sights)
        EXPECT_NEAR(toLab(simulate(sf::Color::White, s)).L, 100, 0.5) << sightName(s);
    const sf::Color red(200, 60, 40), olive(120, 120, 40), teal(0, 150, 160), moss(90, 140, 90);
    EXPECT_LT(apart(red, olive, Sight::protan), apart(red, olive, Sight::normal) / 2);
    EXPECT_LT(apart(red, olive, Sight::deutan), apart(red, olive, Sight::normal) / 2);
    EXPECT_LT(apart(teal, moss, Sight::tritan), apart(teal, moss, Sight::normal) / 2);
}

TEST(TierColours, TheColourBlindSafePaletteKeepsEveryTierApartAndReadableOnThePanelInEverySight) {
    const std::vector<Shortfall> safe = shortfallsOf(TierPalette::colourBlindSafe);
    EXPECT_TRUE(safe.empty()) << describe(safe, tierNames());
    // The standard palette is the game's own and stays as it is; where it
    // falls short is printed for the record.
    const std::vector<Shortfall> standard = shortfallsOf(TierPalette::standard);
    EXPECT_FALSE(standard.empty());
    std::cout << "The standard tier colours fall short:\n" << describe(standard, tierNames());
}

} // namespace
