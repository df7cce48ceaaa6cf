#pragma once
// Texts at the player's text size ("Text size": 100, 125 or 150 %). A text
// keeps its layout size where it is laid out; drawing takes a copy enlarged
// by the text size, shrunk again where that would not fit the room it has,
// and placed so that it keeps its anchor point (its middle, or the middle of
// its left edge, ...). Drawing only: what a frame decides never depends on it.

#include <SFML/Graphics/Text.hpp>
#include <SFML/System/Vector2.hpp>

// A character size at the text size.
unsigned scaledTextSize(unsigned size);

// The text as it is drawn at the given scale: its character size times the
// scale, shrunk to at most maxWidth wide, but never below its own size
// (which fitted when it was laid out), with the point at `anchor` of its
// bounds (0..1 each way) where that point of the original's bounds was.
sf::Text scaledCopy(const sf::Text& text, float scale, float maxWidth, sf::Vector2f anchor);
// The same at the player's text size.
sf::Text atTextSize(const sf::Text& text, float maxWidth, sf::Vector2f anchor);
