#include "screens/RunChart.h"

#include "app/MenuPalette.h"
#include "app/MenuState.h"
#include "core/Settings.h"
#include "core/TextSize.h"

#include <SFML/Graphics/RenderWindow.hpp>

#include <algorithm>
#include <cmath>

namespace {

using namespace menupalette;

const sf::Color guide(150, 156, 172, 60);

// The plot inside the panel: room at the top for the title and at the left for the values.
constexpr float titleRoom = 64, labelRoom = 110, margin = 22;
constexpr int guideCount = 4;

void quad(sf::VertexArray& out, sf::Vector2f a, sf::Vector2f b, sf::Vector2f c, sf::Vector2f d,
          sf::Color colour) {
    for (sf::Vector2f p : {a, b, c, a, c, d})
        out.append(sf::Vertex(p, colour));
}

std::string shortNumber(float value) {
    if (value >= 1.0e6f)
        return std::to_string(static_cast<long long>(value / 1.0e6f)) + "M";
    if (value >= 1.0e4f)
        return std::to_string(static_cast<long long>(value / 1.0e3f)) + "k";
    return std::to_string(static_cast<long long>(value));
}

} // namespace

float RunChart::axisTop(float peak) {
    // Whole steps between the guides, so that every guide reads as a whole number.
    const float least = std::max(peak, 1.0f) / guideCount;
    float step = std::pow(10.0f, std::floor(std::log10(least)));
    for (float factor : {1.0f, 2.0f, 5.0f, 10.0f})
        if (factor * step >= least)
            return std::max(factor * step, 1.0f) * guideCount;
    return 10 * step * guideCount;
}

RunChart::RunChart(sf::FloatRect where, const std::string& name, Style kind) : area(where), style(kind) {
    frame.setPosition(area.left, area.top);
    frame.setSize(sf::Vector2f(area.width, area.height));
    frame.setFillColor(panelFill);
    frame.setOutlineColor(panelEdge);
    frame.setOutlineThickness(2);
    styleMenuText(title, 30, amber, name);
    placeMenuText(title, area.left + margin, area.top + 24, Align::left);
    styleMenuText(emptyText, 28, grey);
}

void RunChart::set(const std::vector<float>& values, const std::string& empty) {
    guides.clear();
    marks.clear();
    guideLabels.clear();
    emptyText.setString(values.empty() ? empty : "");
    placeMenuText(emptyText, area.left + area.width / 2, area.top + area.height / 2, Align::centre);
    const float left = area.left + labelRoom, right = area.left + area.width - margin;
    const float top = area.top + titleRoom, bottom = area.top + area.height - margin;
    float peak = 0;
    for (float v : values)
        if (std::isfinite(v))
            peak = std::max(peak, v);
    const float axis = axisTop(peak);
    for (int g = 0; g <= guideCount; ++g) {
        const float y = bottom - (bottom - top) * static_cast<float>(g) / guideCount;
        guides.append(sf::Vertex(sf::Vector2f(left, y), g == 0 ? grey : guide));
        guides.append(sf::Vertex(sf::Vector2f(right, y), g == 0 ? grey : guide));
        sf::Text label;
        styleMenuText(label, 24, grey, shortNumber(axis * static_cast<float>(g) / guideCount));
        placeMenuText(label, left - 14, y, Align::right);
        guideLabels.push_back(label);
    }
    if (values.empty())
        return;
    auto yOf = [&](float v) {
        return bottom - (bottom - top) * std::clamp(std::isfinite(v) ? v : 0.0f, 0.0f, axis) / axis;
    };
    const float slot = (right - left) / static_cast<float>(values.size());
    if (style == Style::bars) {
        // A gap between bars while they are wide enough to spare one.
        const float gap = slot > 6 ? std::min(slot * 0.25f, 8.0f) : 0;
        for (std::size_t i = 0; i < values.size(); ++i) {
            const float x0 = left + slot * static_cast<float>(i) + gap / 2, x1 = x0 + slot - gap;
            const float y = yOf(values[i]);
            quad(marks, {x0, y}, {x1, y}, {x1, bottom}, {x0, bottom}, amber);
        }
        return;
    }
    auto point = [&](std::size_t i) {
        return sf::Vector2f(left + slot * (static_cast<float>(i) + 0.5f), yOf(values[i]));
    };
    for (std::size_t i = 0; i + 1 < values.size(); ++i) {
        // A band three units thick along each segment, as a line of that width would be.
        sf::Vector2f a = point(i), b = point(i + 1), d = b - a;
        float length = std::sqrt(d.x * d.x + d.y * d.y);
        if (length <= 0)
            continue;
        sf::Vector2f n(-d.y / length * 1.5f, d.x / length * 1.5f);
        quad(marks, a + n, b + n, b - n, a - n, amber);
    }
    if (values.size() <= 100)
        for (std::size_t i = 0; i < values.size(); ++i) {
            sf::Vector2f p = point(i);
            quad(marks, p + sf::Vector2f(-4, -4), p + sf::Vector2f(4, -4), p + sf::Vector2f(4, 4),
                 p + sf::Vector2f(-4, 4), sf::Color(232, 228, 216));
        }
}

void RunChart::draw() const {
    sf::RenderWindow& window = gameWindow();
    window.draw(frame);
    drawText(window, title, {area.left + margin, area.top + 2, area.width - margin * 2, 44}, {0, 0.5f});
    window.draw(guides);
    // A guide's number keeps to the strip left of the chart.
    for (const sf::Text& label : guideLabels)
        drawText(window, label, roomAround(label, area.left + 4, labelRoom - 14 - 4, 36), {1, 0.5f});
    window.draw(marks);
    drawText(window, emptyText,
             {area.left + margin, area.top + titleRoom, area.width - margin * 2,
              area.height - titleRoom - margin});
}
