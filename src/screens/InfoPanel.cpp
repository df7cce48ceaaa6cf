#include "screens/InfoPanel.h"

#include "core/Contenthandler.h"

#include <SFML/Graphics/RenderTarget.hpp>

#include <algorithm>
#include <cmath>

namespace {

constexpr float padding = 26;
constexpr float labelWidth = 190;
constexpr float columnWidth = 320;
constexpr float headingHeight = 50;
constexpr float rowHeight = 33;
constexpr unsigned cellSize = 21;

const sf::Color panelEdge(74, 80, 102);
const sf::Color amber(242, 163, 58);
const sf::Color labelColour(160, 166, 184);

sf::RectangleShape bar(float x, float y, float w, float h, sf::Color colour) {
    sf::RectangleShape shape(sf::Vector2f(w, h));
    shape.setPosition(x, y);
    shape.setFillColor(colour);
    return shape;
}

} // namespace

void InfoPanel::fitText(sf::Text& text, float maxWidth, unsigned minSize) {
    while (text.getLocalBounds().width > maxWidth && text.getCharacterSize() > minSize)
        text.setCharacterSize(text.getCharacterSize() - 1);
    if (text.getLocalBounds().width <= maxWidth)
        return;
    std::string full = text.getString();
    while (!full.empty() && text.getLocalBounds().width > maxWidth) {
        full.pop_back();
        while (!full.empty() && full.back() == ' ')
            full.pop_back();
        text.setString(full + "...");
    }
}

const sf::Color InfoPanel::fill(18, 20, 30);

sf::Color InfoPanel::outlineFor(sf::Color text) {
    float luminance = (0.299f * text.r + 0.587f * text.g + 0.114f * text.b) / 255;
    if (luminance >= 0.3f)
        return sf::Color(6, 6, 12, 220);
    auto pale = [](sf::Uint8 c) { return static_cast<sf::Uint8>(c + (255 - c) * 0.7f); };
    return sf::Color(pale(text.r), pale(text.g), pale(text.b), 200);
}

void InfoPanel::show(const std::vector<std::string>& headings, const std::vector<Row>& rows, float centreX,
                     float bottomY, float scale) {
    Contenthandler* content = Contenthandler::getInstance();
    const float columns = static_cast<float>(headings.size());
    const float baseWidth = padding * 2 + labelWidth + columnWidth * columns;
    const float baseHeight = padding * 2 + headingHeight + rowHeight * static_cast<float>(rows.size());
    // The table grows no further than the room above its bottom and the screen's width.
    const float k = std::max(std::min({scale, (bottomY - 10) / baseHeight, 1900 / baseWidth}), 1.0f);
    auto sized = [k](unsigned size) {
        return static_cast<unsigned>(std::lround(static_cast<float>(size) * k));
    };
    const float pad = padding * k, labels = labelWidth * k, column = columnWidth * k, row = rowHeight * k;
    float width = baseWidth * k;
    float height = baseHeight * k;
    float left = std::clamp(centreX - width / 2, 10.0f, 1910.0f - width);
    float top = std::clamp(bottomY - height, 10.0f, 1070.0f - height);

    frame.setSize(sf::Vector2f(width, height));
    frame.setPosition(left, top);
    // Nearly opaque, so the level behind barely tints it.
    frame.setFillColor(sf::Color(fill.r, fill.g, fill.b, 252));
    frame.setOutlineColor(panelEdge);
    frame.setOutlineThickness(2);

    stripes.clear();
    float tableTop = top + pad + headingHeight * k;
    for (std::size_t r = 1; r < rows.size(); r += 2)
        stripes.push_back(bar(left + pad / 2, tableTop + row * static_cast<float>(r) - 4 * k, width - pad,
                              row, sf::Color(255, 255, 255, 10)));
    const sf::Color rule(amber.r, amber.g, amber.b, 140);
    stripes.push_back(bar(left + pad, tableTop - 10 * k, width - pad * 2, 1, rule));
    // Amber brackets on the corners, the frame the game's overlays wear.
    constexpr float arm = 22, thick = 3;
    for (int corner = 0; corner < 4; ++corner) {
        float x = corner % 2 == 0 ? left - thick : left + width + thick - arm;
        float y = corner < 2 ? top - thick : top + height + thick - arm;
        float vx = corner % 2 == 0 ? left - thick : left + width;
        float hy = corner < 2 ? top - thick : top + height;
        stripes.push_back(bar(x, hy, arm, thick, amber));
        stripes.push_back(bar(vx, y, thick, arm, amber));
    }

    cellTexts.clear();
    auto place = [&](const std::string& string, const sf::Font& font, unsigned size, sf::Color colour,
                     float x, float y, float maxWidth) {
        sf::Text text(string, font, sized(size));
        text.setFillColor(colour);
        text.setOutlineColor(outlineFor(colour));
        text.setOutlineThickness(1.5f);
        // At a larger text size no cell shrinks below what a 1280 x 800 screen shows at 16 pixels.
        fitText(text, maxWidth, k > 1 ? sized(18) : 14);
        text.setPosition(std::round(x), std::round(y));
        cellTexts.push_back(text);
    };
    float x0 = left + pad + labels;
    for (std::size_t c = 0; c < headings.size(); ++c)
        place(headings[c], content->fontBeantown, 32, amber, x0 + column * static_cast<float>(c),
              top + pad - 6 * k, column - 12 * k);
    for (std::size_t r = 0; r < rows.size(); ++r) {
        float y = tableTop + row * static_cast<float>(r);
        place(rows[r].label, content->fontSujet, cellSize, labelColour, left + pad, y, labels - 10 * k);
        for (std::size_t c = 0; c < rows[r].cells.size() && c < headings.size(); ++c)
            place(rows[r].cells[c].text, content->fontSujet, cellSize, rows[r].cells[c].colour,
                  x0 + column * static_cast<float>(c), y, column - 16 * k);
    }
}

void InfoPanel::draw(sf::RenderTarget& target) const {
    target.draw(frame);
    for (const sf::RectangleShape& stripe : stripes)
        target.draw(stripe);
    for (const sf::Text& text : cellTexts)
        target.draw(text);
}
