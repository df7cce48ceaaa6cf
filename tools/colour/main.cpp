// Prints where each tier palette falls short for normal and colour-blind
// sight on the upgrade screen's panels (the same rule the palette test holds
// the colour-blind-safe palette to). Usage: vantreth_tiercolours
#include "ColourVision.h"

#include "items/RarityColour.h"
#include "screens/InfoPanel.h"

#include <iostream>

int main() {
    std::vector<std::string> names;
    for (int tier = 0; tier < tierCount; ++tier)
        names.emplace_back(tierWord(tier));
    for (TierPalette palette : {TierPalette::standard, TierPalette::colourBlindSafe}) {
        const auto& colours = tierColours(palette);
        const auto found =
            colourvision::shortfalls({colours.begin(), colours.end()}, InfoPanel::fill, 15, 4.5);
        std::cout << (palette == TierPalette::standard ? "Standard" : "Colour-blind safe") << ": "
                  << (found.empty() ? "every pair and contrast holds\n" : "\n")
                  << colourvision::describe(found, names);
    }
}
