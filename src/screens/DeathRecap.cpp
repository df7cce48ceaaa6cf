#include "screens/DeathRecap.h"

#include "app/MenuPalette.h"
#include "app/MenuState.h"
#include "core/Settings.h"
#include "core/TextSize.h"

#include <SFML/Graphics/RenderWindow.hpp>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>

namespace {

using namespace menupalette;

// Left of the buttons' column, clear of the title and the level line above it.
constexpr float left = 110, top = 340, width = 640, height = 560, padding = 30;
constexpr float firstHitY = top + 330, hitStep = 42;

std::string capitalised(std::string text) {
    if (!text.empty())
        text[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(text[0])));
    return text;
}

} // namespace

std::string DeathRecap::clockText(float seconds) {
    int whole = static_cast<int>(std::clamp(seconds, 0.0f, 1.0e7f));
    char text[24];
    std::snprintf(text, sizeof text, "%d:%02d", whole / 60, whole % 60);
    return text;
}

DeathRecap::DeathRecap() {
    frame.setSize(sf::Vector2f(width, height));
    frame.setPosition(left, top);
    frame.setFillColor(panelFill);
    frame.setOutlineColor(panelEdge);
    frame.setOutlineThickness(2);
    rule.setSize(sf::Vector2f(width - padding * 2, 1));
    rule.setPosition(left + padding, top + 250);
    rule.setFillColor(sf::Color(amber.r, amber.g, amber.b, 140));
    styleMenuText(heading, 30, amber, "Killed by");
    placeMenuText(heading, left + padding, top + 45, Align::left);
    styleMenuText(killer, 38, offWhite);
    styleMenuText(where, 28, grey);
    styleMenuText(hitsHeading, 30, amber, "Last hits taken");
    placeMenuText(hitsHeading, left + padding, top + 285, Align::left);
    for (std::size_t i = 0; i < hitNames.size(); ++i) {
        styleMenuText(hitNames[i], 26, offWhite);
        styleMenuText(hitDamage[i], 26, warning);
    }
}

void DeathRecap::show(const runlog::Tally& tally) {
    killer.setString(capitalised(runlog::describe(tally.killer)));
    // A long name is shrunk to the panel rather than run over its edge.
    killer.setCharacterSize(38);
    while (killer.getLocalBounds().width > width - padding * 2 && killer.getCharacterSize() > 20)
        killer.setCharacterSize(killer.getCharacterSize() - 2);
    placeMenuText(killer, left + padding, top + 110, Align::left);
    std::string place =
        "Level " + std::to_string(tally.deathLevel) + ", " + clockText(tally.deathSeconds) + " into it";
    if (!tally.identity.seed.empty())
        place += "\nSeed " + tally.identity.seed;
    where.setString(place);
    where.setPosition(std::trunc(left + padding), top + 150);
    for (std::size_t i = 0; i < hitNames.size(); ++i) {
        const bool shown = i < tally.recentHits.size();
        hitNames[i].setString(shown ? capitalised(runlog::describe(tally.recentHits[i].source)) : "");
        hitDamage[i].setString(
            shown ? "-" + std::to_string(static_cast<int>(std::ceil(tally.recentHits[i].damage))) : "");
        const float y = firstHitY + hitStep * static_cast<float>(i);
        placeMenuText(hitNames[i], left + padding, y, Align::left);
        placeMenuText(hitDamage[i], left + width - padding, y, Align::right);
    }
}

void DeathRecap::draw() const {
    sf::RenderWindow& window = gameWindow();
    window.draw(frame);
    window.draw(rule);
    // Each text has its row of the panel; the damage keeps a column at the right.
    // (The rooms reach a few units past the padding, where a text's outline goes.)
    constexpr float inner = left + padding - 4, innerWidth = width - padding * 2 + 8, damageWidth = 84;
    drawText(window, heading, {inner, top + 15, innerWidth, 60}, {0, 0.5f});
    drawText(window, killer, {inner, top + 80, innerWidth, 60}, {0, 0.5f});
    drawText(window, where, {inner, top + 140, innerWidth, 105}, {0, 0});
    drawText(window, hitsHeading, {inner, top + 260, innerWidth, 50}, {0, 0.5f});
    for (std::size_t i = 0; i < hitNames.size(); ++i) {
        const float rowTop = firstHitY + hitStep * static_cast<float>(i) - hitStep / 2;
        drawText(window, hitNames[i], {inner, rowTop, innerWidth - damageWidth - 10, hitStep}, {0, 0.5f});
        drawText(window, hitDamage[i], {inner + innerWidth - damageWidth, rowTop, damageWidth, hitStep},
                 {1, 0.5f});
    }
}
