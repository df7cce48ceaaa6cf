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

// The text at the player's size, as wide and tall as the room allows on
// either side of the point that stays put.
sf::Text fitted(const sf::Text& text, const sf::FloatRect& room, sf::Vector2f anchor) {
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
    return atTextSize(text, span(x, room.left, room.left + room.width, anchor.x), anchor,
                      span(y, room.top, room.top + room.height, anchor.y));
}

void drawShown(sf::RenderTarget& target, const sf::Text& shown, const sf::FloatRect& room,
               const sf::RenderStates& states) {
    target.draw(shown, states);
    if (drawnTexts)
        drawnTexts->push_back({shown.getString().toAnsiString(), shown.getGlobalBounds(), room,
                               static_cast<float>(shown.getCharacterSize())});
}

} // namespace

void drawText(sf::RenderTarget& target, const sf::Text& text, const sf::FloatRect& room, sf::Vector2f anchor,
              const sf::RenderStates& states) {
    if (text.getString().isEmpty())
        return;
    // At 100 % (the default) the text is drawn as it is, without a copy each frame.
    if (textScale() == 1)
        drawShown(target, text, room, states);
    else
        drawShown(target, fitted(text, room, anchor), room, states);
}

void drawTextAsLaidOut(sf::RenderTarget& target, const sf::Text& text, const sf::FloatRect& room) {
    if (!text.getString().isEmpty())
        drawShown(target, text, room, sf::RenderStates::Default);
}

void drawTextRow(sf::RenderTarget& target, const std::vector<RowCell>& cells) {
    if (textScale() == 1) {
        for (const RowCell& cell : cells)
            drawTextAsLaidOut(target, cell.text, cell.room);
        return;
    }
    // The growth the tightest cell allows, for all of them.
    std::vector<sf::Text> shown;
    float growth = textScale();
    for (const RowCell& cell : cells) {
        shown.push_back(fitted(cell.text, cell.room, cell.anchor));
        if (!cell.text.getString().isEmpty())
            growth = std::min(growth, static_cast<float>(shown.back().getCharacterSize()) /
                                          static_cast<float>(cell.text.getCharacterSize()));
    }
    for (std::size_t c = 0; c < cells.size(); ++c) {
        const sf::Text& own = cells[c].text;
        if (own.getString().isEmpty())
            continue;
        const auto even =
            static_cast<unsigned>(std::floor(static_cast<float>(own.getCharacterSize()) * growth + 0.001f));
        if (shown[c].getCharacterSize() > even)
            shown[c] = scaledCopy(own, static_cast<float>(even) / static_cast<float>(own.getCharacterSize()),
                                  1.0e6f, cells[c].anchor);
        drawShown(target, shown[c], cells[c].room, sf::RenderStates::Default);
    }
}

sf::FloatRect roomAround(const sf::Text& text, float left, float width, float height) {
    const sf::FloatRect bounds = text.getGlobalBounds();
    return {left, bounds.top + bounds.height / 2 - height / 2, width, height};
}

void logDrawnTexts(std::vector<PlacedText>* log) {
    drawnTexts = log;
}
