#include "app/TextEntry.h"

std::string enteredName;

void typeCharacter(std::string& name, sf::Uint32 codePoint) {
    if (codePoint < 32 || codePoint > 126 || name.size() >= maxNameLength)
        return;
    name.push_back(static_cast<char>(codePoint));
}

void eraseCharacter(std::string& name) {
    if (name.empty())
        return;
    name.pop_back();
    name.shrink_to_fit();
}
