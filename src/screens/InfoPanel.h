#pragma once
// The hover panel of the upgrade screen: a dark framed box holding a small
// table, headings over the value columns and one row per stat, each cell in
// its own colour. It lays out and draws what it is given and keeps no
// pointers to items; the fonts belong to the content registry.

#include <SFML/Graphics/Color.hpp>
#include <SFML/Graphics/Rect.hpp>
#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/Text.hpp>

#include <string>
#include <vector>

namespace sf {
class RenderTarget;
}

class InfoPanel {
  public:
    struct Cell {
        std::string text;
        sf::Color colour = sf::Color::White;
    };
    struct Row {
        std::string label;
        std::vector<Cell> cells;
    };

    // Lays the table out: the box is centred on centreX with its bottom at
    // bottomY, and pushed back inside the 1920 x 1080 screen where it would
    // stick out. Texts too wide for their column are shrunk, then cut. The
    // scale (the text size) enlarges the whole table, as far as the screen
    // above bottomY and its width leave room for.
    void show(const std::vector<std::string>& headings, const std::vector<Row>& rows, float centreX,
              float bottomY, float scale = 1);
    void draw(sf::RenderTarget& target) const;

    // The box's colour, which every tier colour must stand out from.
    static const sf::Color fill;

    // The laid-out box, for tests and for placing things beside it.
    sf::FloatRect box() const { return frame.getGlobalBounds(); }
    // The texts in layout order: headings, then each row's label and cells.
    const std::vector<sf::Text>& texts() const { return cellTexts; }

    // Shrinks a text's character size down to minSize to fit maxWidth, then
    // cuts its end behind "..." until it fits.
    static void fitText(sf::Text& text, float maxWidth, unsigned minSize);
    // The outline that keeps a text of this colour readable on the dark
    // panels: a dark edge for light colours, a pale halo for dark ones (the
    // deep blue of rare items).
    static sf::Color outlineFor(sf::Color text);

  private:
    sf::RectangleShape frame;
    std::vector<sf::RectangleShape> stripes; // row shading, the heading rule and the corner marks
    std::vector<sf::Text> cellTexts;
};
