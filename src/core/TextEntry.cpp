#include "core/TextEntry.h"

std::string enteredName;
std::string* typedText = &enteredName;

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

void spellWithPad(std::string& name, sf::Vector2i step) {
    static const std::string letters = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789 ";
    if (step.x > 0)
        typeCharacter(name, 'A');
    else if (step.x < 0)
        eraseCharacter(name);
    if (step.y == 0 || name.empty())
        return;
    std::size_t at = letters.find(name.back());
    int n = static_cast<int>(letters.size());
    int next = at == std::string::npos ? 0 : (static_cast<int>(at) - step.y + n) % n;
    name.back() = letters[static_cast<std::size_t>(next)];
}

void pasteText(std::string& name, const std::string& text) {
    for (char c : text)
        typeCharacter(name, static_cast<unsigned char>(c));
}
