#pragma once
// A chart of the Runs page in the menus' own look: a dark framed panel with
// a title, faint guide lines with their values at the left, and the series
// drawn as amber bars or as an amber line with a dot per point. The chart
// keeps its shapes; set() rebuilds them, draw() only draws.

#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/Text.hpp>
#include <SFML/Graphics/VertexArray.hpp>

#include <string>
#include <vector>

class RunChart {
  public:
    enum class Style { bars, line };

    // The panel's place and size in the 1920 x 1080 screen space.
    RunChart(sf::FloatRect area, const std::string& title, Style style);

    // Lays out the series, first value at the left. `empty` is shown when it has no value.
    void set(const std::vector<float>& values, const std::string& empty);
    void draw() const;

    // The top of the value axis for a series peaking at `peak`: four guide
    // steps of 1, 2 or 5 times a power of ten (at least 1), never below the peak.
    static float axisTop(float peak);

    sf::FloatRect area;
    Style style;
    sf::RectangleShape frame;
    sf::Text title;
    sf::Text emptyText;
    sf::VertexArray guides{sf::Lines};
    sf::VertexArray marks{sf::Triangles}; // bars, or the line's band and dots
    std::vector<sf::Text> guideLabels;
};
