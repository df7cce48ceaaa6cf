#include "items/RarityColour.h"

sf::Color rarityColour(float rarity) {
    if (rarity < 0)
        return sf::Color(200, 195, 195);
    if (rarity < 46)
        return sf::Color::White;
    if (rarity < 100)
        return sf::Color::Green;
    if (rarity < 150)
        return sf::Color::Blue;
    if (rarity < 200)
        return sf::Color(160, 32, 240);
    return sf::Color(210, 105, 30);
}
