#pragma once
// The highscore name being typed. The frame loop feeds it from the window's
// text events whatever screen is on top; the name-entry screen resets it to
// the last entered name when it opens.

#include <SFML/Config.hpp>

#include <string>

extern std::string enteredName;

constexpr std::size_t maxNameLength = 15;

// Appends a printable ASCII character (32..126) while the name is shorter than the limit.
void typeCharacter(std::string& name, sf::Uint32 codePoint);
// Removes the last character, if any.
void eraseCharacter(std::string& name);
