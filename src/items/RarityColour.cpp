#include "items/RarityColour.h"

#include <algorithm>

int rarityTier(float rarity) {
    if (rarity < 0)
        return 0;
    if (rarity < 46)
        return 1;
    if (rarity < 100)
        return 2;
    if (rarity < 150)
        return 3;
    if (rarity < 200)
        return 4;
    return 5;
}

const char* tierWord(int tier) {
    static const char* const words[tierCount] = {"Poor", "Common", "Uncommon", "Rare", "Epic", "Legendary"};
    return words[std::clamp(tier, 0, tierCount - 1)];
}

const std::array<sf::Color, tierCount>& tierColours(TierPalette palette) {
    static const std::array<sf::Color, tierCount> standard = {
        sf::Color(200, 195, 195), sf::Color::White,        sf::Color::Green,
        sf::Color::Blue,          sf::Color(160, 32, 240), sf::Color(210, 105, 30)};
    // Found by a search over the sRGB cube for the largest smallest
    // difference between two tiers in normal and simulated sight, keeping
    // each tier's hue family and every colour light enough for the panels:
    // the hues alone cannot carry six tiers for every kind of sight, so
    // lightness carries much of it (the orange is an apricot, since a deeper
    // orange meets the green for red- and green-weak eyes).
    static const std::array<sf::Color, tierCount> safe = {sf::Color(170, 170, 170), sf::Color::White,
                                                          sf::Color(45, 165, 0),    sf::Color(75, 210, 255),
                                                          sf::Color(165, 90, 255),  sf::Color(255, 195, 150)};
    return palette == TierPalette::colourBlindSafe ? safe : standard;
}

sf::Color rarityColour(float rarity, TierPalette palette) {
    return tierColours(palette)[static_cast<std::size_t>(rarityTier(rarity))];
}
