#pragma once
// The highscore name being typed. The frame loop feeds it from the window's
// text events whatever screen is on top; the name-entry screen resets it to
// the last entered name when it opens.

#include <SFML/Config.hpp>
#include <SFML/System/Vector2.hpp>

#include <string>

extern std::string enteredName;
// Where the window's typing goes: the highscore name, unless a screen with a
// field of its own points it there while it is open and back when it closes.
// Never null.
extern std::string* typedText;

constexpr std::size_t maxNameLength = 15;

// Appends a printable ASCII character (32..126) while the name is shorter than the limit.
void typeCharacter(std::string& name, sf::Uint32 codePoint);
// Appends the printable characters of pasted text, as typing them would.
void pasteText(std::string& name, const std::string& text);
// Removes the last character, if any.
void eraseCharacter(std::string& name);
// Spelling without a keyboard: up and down turn the last letter through
// A..Z, 0..9 and a space, right adds an "A", left erases.
void spellWithPad(std::string& name, sf::Vector2i step);
