#include "core/TextSize.h"

#include "core/Settings.h"

#include <cmath>

unsigned scaledTextSize(unsigned size) {
    return static_cast<unsigned>(std::lround(static_cast<float>(size) * textScale()));
}

sf::Text scaledCopy(const sf::Text& text, float scale, float maxWidth, sf::Vector2f anchor) {
    sf::Text copy = text;
    const unsigned own = text.getCharacterSize();
    if (scale == 1 || text.getString().isEmpty())
        return copy;
    const sf::FloatRect before = text.getGlobalBounds();
    unsigned size = static_cast<unsigned>(std::lround(static_cast<float>(own) * scale));
    copy.setCharacterSize(size);
    while (size > own && copy.getGlobalBounds().width > maxWidth)
        copy.setCharacterSize(--size);
    const sf::FloatRect after = copy.getGlobalBounds();
    const sf::Vector2f keep(before.left + before.width * anchor.x, before.top + before.height * anchor.y);
    const sf::Vector2f now(after.left + after.width * anchor.x, after.top + after.height * anchor.y);
    copy.move(std::round(keep.x - now.x), std::round(keep.y - now.y));
    return copy;
}

sf::Text atTextSize(const sf::Text& text, float maxWidth, sf::Vector2f anchor) {
    return scaledCopy(text, textScale(), maxWidth, anchor);
}
