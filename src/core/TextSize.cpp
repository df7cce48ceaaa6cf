#include "core/TextSize.h"

#include "core/Settings.h"

#include <algorithm>
#include <cmath>

unsigned scaledTextSize(unsigned size) {
    return static_cast<unsigned>(std::lround(static_cast<float>(size) * textScale()));
}

sf::Text scaledCopy(const sf::Text& text, float scale, float maxWidth, sf::Vector2f anchor, float maxHeight) {
    sf::Text copy = text;
    const unsigned own = text.getCharacterSize();
    if (scale == 1 || text.getString().isEmpty())
        return copy;
    const sf::FloatRect before = text.getGlobalBounds();
    unsigned size = static_cast<unsigned>(std::lround(static_cast<float>(own) * scale));
    copy.setCharacterSize(size);
    while (size > own &&
           (copy.getGlobalBounds().width > maxWidth || copy.getGlobalBounds().height > maxHeight))
        copy.setCharacterSize(--size);
    const sf::FloatRect after = copy.getGlobalBounds();
    const sf::Vector2f keep(before.left + before.width * anchor.x, before.top + before.height * anchor.y);
    const sf::Vector2f now(after.left + after.width * anchor.x, after.top + after.height * anchor.y);
    copy.move(std::round(keep.x - now.x), std::round(keep.y - now.y));
    return copy;
}

sf::Text atTextSize(const sf::Text& text, float maxWidth, sf::Vector2f anchor, float maxHeight) {
    return scaledCopy(text, textScale(), maxWidth, anchor, maxHeight);
}

namespace {
std::vector<PlacedText>* drawnTexts = nullptr;
}

void drawText(sf::RenderTarget& target, const sf::Text& text, const sf::FloatRect& room, sf::Vector2f anchor,
              const sf::RenderStates& states) {
    if (text.getString().isEmpty())
        return;
    // As wide and tall as the room allows on either side of the point that stays put.
    const sf::FloatRect own = text.getGlobalBounds();
    auto span = [](float at, float from, float to, float share) {
        float most = to - from;
        if (share > 0)
            most = std::min(most, (at - from) / share);
        if (share < 1)
            most = std::min(most, (to - at) / (1 - share));
        return most;
    };
    const float x = own.left + own.width * anchor.x, y = own.top + own.height * anchor.y;
    const sf::Text shown = atTextSize(text, span(x, room.left, room.left + room.width, anchor.x), anchor,
                                      span(y, room.top, room.top + room.height, anchor.y));
    target.draw(shown, states);
    if (drawnTexts)
        drawnTexts->push_back({shown.getString().toAnsiString(), shown.getGlobalBounds(), room,
                               static_cast<float>(shown.getCharacterSize())});
}

sf::FloatRect roomAround(const sf::Text& text, float left, float width, float height) {
    const sf::FloatRect bounds = text.getGlobalBounds();
    return {left, bounds.top + bounds.height / 2 - height / 2, width, height};
}

void logDrawnTexts(std::vector<PlacedText>* log) {
    drawnTexts = log;
}
