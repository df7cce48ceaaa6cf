#pragma once
// The colour an item's name is written in, from its rarity (the sum of its
// affixes' points): grey for items dragged down by bad affixes, then white,
// green, blue, purple and orange as the good affixes pile up.

#include <SFML/Graphics/Color.hpp>

sf::Color rarityColour(float rarity);
