#pragma once
// The tier of an item, from its rarity (the sum of its affixes' points): poor
// for items dragged down by bad affixes, then common, uncommon, rare, epic
// and legendary as the good affixes pile up. Its name is written in the
// tier's colour, from one of two palettes: the standard one (grey, white,
// green, blue, purple, orange), or one whose colours stay apart, and readable
// on the dark panels, for people with red-, green- or blue-weak sight.

#include <SFML/Graphics/Color.hpp>

#include <array>

constexpr int tierCount = 6;
enum class TierPalette { standard, colourBlindSafe };

// 0 (poor) to 5 (legendary).
int rarityTier(float rarity);
// The short word that names a tier where its colour alone would not tell it.
const char* tierWord(int tier);
// The tiers' colours, from poor to legendary.
const std::array<sf::Color, tierCount>& tierColours(TierPalette palette);
// The colour of an item's name.
sf::Color rarityColour(float rarity, TierPalette palette);
