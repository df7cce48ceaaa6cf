#pragma once
// Lays rectangles of a texture into the window's pixels one for one, as a
// copy rather than a draw: the software renderer copies a full screen of
// pixels in well under the time it takes to draw a textured rectangle over
// it. The window's view and states are left as they were.

#include <SFML/Graphics/Rect.hpp>
#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Graphics/Texture.hpp>

#include <vector>

struct CopiedPiece {
    sf::Vector2u from; // the texture's texel, counted from its top-left corner
    sf::IntRect to;    // the window's pixels, counted from its top-left corner
};

// False, and nothing laid, when the graphics driver cannot copy between
// framebuffers or the window has several samples a pixel; the caller draws
// instead.
bool copyIntoWindow(sf::RenderWindow& window, const sf::Texture& texture,
                    const std::vector<CopiedPiece>& pieces);
