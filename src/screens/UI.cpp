#include "screens/UI.h"

#include "actors/Player.h"
#include "core/Camera.h"
#include "core/Contenthandler.h"
#include "core/Globals.h"
#include "core/Picture.h"
#include "core/Settings.h"
#include "world/BrainwashMachine.h"
#include "world/Map.h"
#include "world/Maphandler.h"
#include "world/Score.h"

#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Graphics/View.hpp>

#include <algorithm>
#include <cmath>
#include <iostream>
#include <sstream>

namespace {

// The panels' clear windows line up with the bars, which are drawn first.
const sf::Vector2f statusPanelAt(0, 0);
const sf::Vector2f weaponPanelAt(1280, 840);

// Texts on the left of the weapon panel end here, readouts start right of the bars.
constexpr float nameRight = 1556;
constexpr float readoutLeft = 1814;
constexpr float nameWidth = 250;
constexpr float readoutWidth = 98;
// The worn armour is named on the weapon panel's top row.
constexpr float armourRowY = 866;

// The score block and the message list hug the top-right corner.
constexpr float rightEdge = 1890;
constexpr float messageTop = 112;
constexpr float messageSpacing = 38;
constexpr float messageSlideIn = 160;

const sf::Color ink(10, 10, 18);
const sf::Color amber(242, 163, 58);
const sf::Color offWhite(236, 232, 222);
const sf::Color dimGrey(150, 156, 170);
const sf::Color emptyRed(255, 90, 70);
const sf::Color carnageOrange(255, 170, 70);
const sf::Color invulnerableGold(255, 215, 0);
const sf::Color healthGreen(64, 214, 84);
const sf::Color staminaBlue(48, 116, 255);
const sf::Color ammoYellow(250, 226, 40);
const sf::Color taserCyan(40, 232, 255);

// Places a text so that the point (fx, fy) of its glyph box (0 = left/top,
// 1 = right/bottom) sits at the given screen point.
void anchor(sf::Text& text, float x, float y, float fx, float fy) {
    sf::FloatRect b = text.getLocalBounds();
    text.setOrigin(std::round(b.left + b.width * fx), std::round(b.top + b.height * fy));
    text.setPosition(std::round(x), std::round(y));
}

void style(sf::Text& text, const sf::Font& font, unsigned size, sf::Color fill, float outline = 2) {
    text.setFont(font);
    text.setCharacterSize(size);
    text.setFillColor(fill);
    text.setOutlineColor(ink);
    text.setOutlineThickness(outline);
}

// Shrinks a text until it fits the width, then shortens it; long rolled item
// names stay inside the panel. Every trial lays the whole text out, which for
// a long name costs more than the rest of a frame: a text is fitted again only
// when the string or smallest size it was fitted to (kept in fittedFrom) changes.
void fitText(sf::Text& text, std::string& fittedFrom, const std::string& string, float maxWidth,
             unsigned size, unsigned minSize) {
    const std::string key = string + '\n' + std::to_string(minSize);
    if (key == fittedFrom && !text.getString().isEmpty())
        return;
    fittedFrom = key;
    text.setString(string);
    text.setCharacterSize(size);
    while (text.getLocalBounds().width > maxWidth && text.getCharacterSize() > minSize)
        text.setCharacterSize(text.getCharacterSize() - 1);
    std::string shortened = string;
    while (text.getLocalBounds().width > maxWidth && !shortened.empty()) {
        shortened.pop_back();
        text.setString(shortened + "...");
    }
}

// The display's groups grow with the text size from these points: the status
// panel from the top-left corner, the weapon panel from the bottom-right one,
// the score and notices from the top-right one, the level's banner from its middle.
const sf::Vector2f statusCorner(0, 0), weaponCorner(1920, 1080), scoreCorner(1920, 0), bannerMiddle(960, 300);

sf::FloatRect grownFrom(sf::Vector2f from, const sf::FloatRect& r, float scale) {
    return {from.x + (r.left - from.x) * scale, from.y + (r.top - from.y) * scale, r.width * scale,
            r.height * scale};
}

// The smallest a fitted text shrinks to; at a larger text size it stays
// readable on a 1280 x 800 screen (16 pixels once the group has grown).
unsigned smallestFitted() {
    return textSizePercent > 100 ? 18 : 16;
}

sf::Color withAlpha(sf::Color c, sf::Uint8 a) {
    return sf::Color(c.r, c.g, c.b, a);
}

void setAlpha(sf::Text& text, sf::Uint8 a) {
    text.setFillColor(withAlpha(text.getFillColor(), a));
    text.setOutlineColor(withAlpha(text.getOutlineColor(), a));
}

float barCentreY(const StatBar& bar) {
    return static_cast<float>(bar.rect.top) + static_cast<float>(bar.rect.height) / 2;
}

} // namespace

UI::UI() {
    std::cout << "UI's constructor was called" << std::endl;
    bars.emplace_back(100, healthGreen, 3, sf::Color(96, 96, 96), 100, sf::IntRect(140, 19, 350, 32));
    bars.emplace_back(100, staminaBlue, 3, sf::Color(96, 96, 96), 100, sf::IntRect(125, 60, 350, 32));
    bars.emplace_back(1, ammoYellow, 3, sf::Color::White, 1, sf::IntRect(1600, 960, 200, 25));
    bars.emplace_back(1, ammoYellow, 3, sf::Color::White, 1, sf::IntRect(1600, 998, 200, 25));
    bars.emplace_back(1, taserCyan, 3, sf::Color::Black, 1, sf::IntRect(1600, 898, 200, 25));
    bars.emplace_back(255, signalColour, 3, sf::Color::Black, 0, sf::IntRect(100, 100, 200, 25));

    Contenthandler* content = Contenthandler::getInstance();
    // The static pattern scrolls through the signal bar, so it has to wrap.
    content->noiseBarTexture.setRepeated(true);
    bars[signalBar].fill.setTexture(&content->noiseBarTexture);
    if (content->uiTextures.size() >= 2) {
        background.setTexture(content->uiTextures[0]);
        weaponPanel.setTexture(content->uiTextures[1]);
    }
    background.setPosition(statusPanelAt);
    weaponPanel.setPosition(weaponPanelAt);

    const sf::Font& font = content->fontBeantown;
    style(healthText, font, 26, offWhite);
    style(staminaText, font, 26, offWhite);
    for (int h = 0; h < 2; ++h) {
        style(weaponTexts[h], font, 26, offWhite);
        style(weaponNames[h], font, 26, offWhite);
    }
    style(taserLabel, font, 26, offWhite);
    style(taserText, font, 26, taserCyan);
    style(signalLabel, font, 24, offWhite);
    style(scoreLabel, font, 22, dimGrey);
    style(scoreText, font, 54, amber, 3);
    style(armourLabel, font, 22, dimGrey);
    style(armourName, font, 22, offWhite);
    style(bannerTitle, font, 112, amber, 4);
    style(bannerSubtitle, content->fontSujet, 30, offWhite, 2);
}

UI::~UI() {
    std::cout << "UI's destructor was called" << std::endl;
}

void UI::restartLevelStart(float seconds) {
    levelStartTimerReset = levelStartTimer = levelStartTimerPrevious = seconds;
    levelStartTimerRunning = true;
}

std::string UI::readout(float value, float maximum) {
    std::ostringstream out;
    out << value << "/" << maximum;
    return out.str();
}

sf::Uint8 UI::signalRed(float distance, int columns, int rows) {
    float diagonal = 64.0f * std::sqrt(static_cast<float>(rows * rows + columns * columns));
    if (!(diagonal > 0) || std::isnan(distance))
        return 255;
    return static_cast<sf::Uint8>(std::clamp(std::trunc(distance * 255.0f / diagonal), 0.0f, 255.0f));
}

sf::Color UI::signalColourFor(sf::Uint8 red) {
    return sf::Color(red, static_cast<sf::Uint8>(255 - red), 0);
}

sf::Uint8 UI::bannerAlpha(float s) {
    // Long enough to read, gone before it gets in the way of the fight.
    constexpr float fadeIn = 0.6f, hold = 5.0f, fadeOut = 1.5f;
    float a;
    if (s < 0)
        a = 0;
    else if (s < fadeIn)
        a = s / fadeIn;
    else if (s < hold)
        a = 1;
    else
        a = 1 - (s - hold) / fadeOut;
    return static_cast<sf::Uint8>(std::trunc(std::clamp(a, 0.0f, 1.0f) * 255));
}

sf::Uint8 UI::messageAlpha(float remaining) {
    float left = std::clamp(remaining / messageLifetime, 0.0f, 1.0f);
    return static_cast<sf::Uint8>(std::trunc(255 * left));
}

sf::Vector2f UI::messageSlot(std::size_t i) const {
    return {rightEdge, messageTop + static_cast<float>(i) * messageSpacing};
}

void UI::styleMessage(Message& m) {
    style(m.label, Contenthandler::getInstance()->fontBeantown, 30, m.colour);
    m.label.setString(m.text);
    anchor(m.label, m.position.x, m.position.y, 1, 0);
    setAlpha(m.label, messageAlpha(m.remaining));
}

void UI::addMessage(const std::string& text, sf::Color colour) {
    Message m;
    m.text = text;
    m.colour = colour;
    m.remaining = messageLifetime;
    m.position = messageSlot(messages.size()) + sf::Vector2f(messageSlideIn, 0);
    styleMessage(m);
    messages.push_back(m);
    if (messages.size() > maxMessages)
        messages.erase(messages.begin());
}

void UI::addCarnage(int points, const std::string& what) {
    carnageBonus += points;
    auto label = [&what](int total, int count) {
        std::string s = "+" + std::to_string(total) + " " + what;
        return count > 1 ? s + " x" + std::to_string(count) : s;
    };
    // Only a notice that is still young takes more points; an old one is left to fade.
    for (auto m = messages.rbegin(); m != messages.rend(); ++m)
        if (m->kind == what && m->remaining > messageLifetime - 1.5f) {
            m->points += points;
            m->count += 1;
            m->text = label(m->points, m->count);
            m->remaining = messageLifetime;
            styleMessage(*m);
            return;
        }
    addMessage(label(points, 1), carnageOrange);
    messages.back().kind = what;
    messages.back().points = points;
    messages.back().count = 1;
}

void UI::updateMessages(float dt, float levelTime) {
    if (levelTime <= 0) {
        messages.clear();
        return;
    }
    for (std::size_t i = messages.size(); i-- > 0;) {
        messages[i].remaining -= dt;
        if (messages[i].remaining <= 0)
            messages.erase(messages.begin() + static_cast<std::ptrdiff_t>(i));
    }
    // A tenth of the way per sixtieth of a second, whatever the frame rate.
    float glide = 1 - std::pow(0.9f, std::max(dt, 0.0f) * 60);
    for (std::size_t i = 0; i < messages.size(); ++i) {
        Message& m = messages[i];
        m.position += (messageSlot(i) - m.position) * glide;
        m.label.setPosition(std::round(m.position.x), std::round(m.position.y));
        setAlpha(m.label, messageAlpha(m.remaining));
    }
}

void UI::update(float dt) {
    Map* map = Maphandler::getInstance()->currentMap();
    updateLevelScore(map ? map->census() : LevelCensus{});
    updateMessages(dt, map ? map->elapsed : 0);
    updateReadouts();
    updateBars();
    updateSignal(dt);
    if (levelStartTimerRunning) {
        levelStartTimerPrevious = levelStartTimer;
        levelStartTimer -= dt;
    }
}

void UI::updateReadouts() {
    Player* player = Player::getInstance();
    for (int h = 0; h < 2; ++h) {
        const Item* item = static_cast<std::size_t>(h) < player->inventory.size()
                               ? player->inventory[static_cast<std::size_t>(h)].get()
                               : nullptr;
        StatBar& bar = bars[static_cast<std::size_t>(h == 0 ? leftWeaponBar : rightWeaponBar)];
        float y = barCentreY(bar);
        if (!item) {
            weaponNames[h].setFillColor(dimGrey);
            fitText(weaponNames[h], fittedFrom[h], "Empty hand", nameWidth, 26, 18);
            weaponTexts[h].setString("");
        } else {
            weaponNames[h].setFillColor(offWhite);
            fitText(weaponNames[h], fittedFrom[h], item->getName(), nameWidth, 26, 18);
            // An empty magazine reads red while the bar shows the reload.
            weaponTexts[h].setFillColor(item->getAmmo() <= 0 ? emptyRed : offWhite);
            fitText(weaponTexts[h], fittedFrom[2 + h], readout(item->getAmmo(), item->getMaxAmmo()),
                    readoutWidth, 26, smallestFitted());
        }
        anchor(weaponNames[h], nameRight, y, 1, 0.5f);
        anchor(weaponTexts[h], readoutLeft, y, 0, 0.5f);
    }

    float hp = std::max(std::trunc(player->HP), 0.0f);
    healthText.setString(readout(hp, player->MaxHP));
    anchor(healthText, static_cast<float>(bars[healthBar].rect.left) + bars[healthBar].rect.width / 2.0f,
           barCentreY(bars[healthBar]), 0.5f, 0.5f);
    staminaText.setString(readout(std::trunc(player->Stamina), player->MaxStamina));
    anchor(staminaText, static_cast<float>(bars[staminaBar].rect.left) + bars[staminaBar].rect.width / 2.0f,
           barCentreY(bars[staminaBar]), 0.5f, 0.5f);

    taserLabel.setString("Taser");
    anchor(taserLabel, nameRight, barCentreY(bars[taserBar]), 1, 0.5f);
    const Timer& recharge = player->taser.rechargeTimer;
    if (recharge.remaining <= 0 || recharge.duration <= 0) {
        taserText.setString("READY");
        taserText.setFillColor(taserCyan);
    } else {
        float charged = std::clamp(1 - recharge.remaining / recharge.duration, 0.0f, 1.0f);
        taserText.setString(std::to_string(static_cast<int>(charged * 100)) + "%");
        taserText.setFillColor(dimGrey);
    }
    anchor(taserText, readoutLeft, barCentreY(bars[taserBar]), 0, 0.5f);

    scoreText.setString(std::to_string(levelScore));
    anchor(scoreText, rightEdge, 40, 1, 0);
    scoreLabel.setString("LEVEL " + std::to_string(levelNumber) + " SCORE");
    anchor(scoreLabel, rightEdge, 14, 1, 0);

    const Item* worn = player->wornArmour();
    armourLabel.setString("Armour");
    anchor(armourLabel, nameRight, armourRowY, 1, 0.5f);
    armourName.setFillColor(worn ? offWhite : dimGrey);
    fitText(armourName, fittedFrom[4], worn ? worn->getName() : "None", readoutLeft + readoutWidth - 1600, 22,
            smallestFitted());
    anchor(armourName, 1600, armourRowY, 0, 0.5f);

    bannerTitle.setString("LEVEL " + std::to_string(levelNumber));
    anchor(bannerTitle, 960, 250, 0.5f, 0.5f);
    bannerSubtitle.setString("Find the brainwash machine and destroy it");
    anchor(bannerSubtitle, 960, 340, 0.5f, 0.5f);
}

void UI::updateBars() {
    Player* player = Player::getInstance();
    StatBar& health = bars[healthBar];
    health.setMaximum(player->MaxHP);
    health.setValue(player->HP);
    health.setColour(player->invulnerabilityTimer > 0 ? invulnerableGold : healthGreen);
    bars[staminaBar].setMaximum(player->MaxStamina);
    bars[staminaBar].setValue(player->Stamina);
    for (int h = 0; h < 2; ++h) {
        const Item* item = static_cast<std::size_t>(h) < player->inventory.size()
                               ? player->inventory[static_cast<std::size_t>(h)].get()
                               : nullptr;
        bars[static_cast<std::size_t>(h == 0 ? leftWeaponBar : rightWeaponBar)].setValue(
            item ? item->getAmmoFraction() : 0);
    }
    const Timer& recharge = player->taser.rechargeTimer;
    bars[taserBar].setValue(recharge.duration > 0 ? 1 - recharge.remaining / recharge.duration : 1);
}

void UI::updateSignal(float dt) {
    StatBar& bar = bars[signalBar];
    Map* map = Maphandler::getInstance()->currentMap();
    const Mapentity* target = map && !map->furniture.empty() ? map->furniture.back().get() : nullptr;
    // Once the machine is gone the last prop is an ordinary one: nothing is left to home in on.
    const bool machineStands = dynamic_cast<const BrainwashMachine*>(target) != nullptr;
    const bool scanning = levelStartTimerRunning && levelStartTimer > 0;
    blink += dt;
    if (target && machineStands) {
        sf::Vector2f d = Player::getInstance()->position - target->position;
        sf::Uint8 red = signalRed(std::sqrt(d.x * d.x + d.y * d.y), map->columns(), map->rows());
        signalColour = signalColourFor(red);
        bar.setColour(signalColour);
        bar.setValue(scanning ? signalWhileStarting : static_cast<float>(255 - red));
        signalLabel.setString(scanning ? "SCANNING" : "SIGNAL");
        signalLabel.setFillColor(
            scanning ? withAlpha(taserCyan, static_cast<sf::Uint8>(150 + 105 * std::abs(std::sin(blink * 4))))
                     : offWhite);
    } else if (target) {
        bar.setValue(0);
        signalLabel.setString("MACHINE DOWN");
        signalLabel.setFillColor(healthGreen);
    }
    anchor(signalLabel, static_cast<float>(bar.rect.left + bar.rect.width) + 16, barCentreY(bar), 0, 0.5f);

    // The static drifts along the bar and is cut, not squeezed, as the bar shrinks.
    noiseScroll += dt * 60;
    if (noiseScroll > 200)
        noiseScroll -= 200;
    int shown = static_cast<int>(std::round(bar.fill.getSize().x));
    bar.fill.setTextureRect(
        sf::IntRect(static_cast<int>(noiseScroll), 0, std::max(shown, 1), bar.rect.height));
}

void UI::draw() {
    sf::RenderWindow& window = gameWindow();
    // The display keeps still while the camera shakes and turns. Each group
    // grows with the text size from the corner or middle it keeps to, panel,
    // bars and texts alike, so every text stays inside its panel.
    auto growFrom = [&window](sf::Vector2f at) {
        const float scale = textScale();
        showView(window, sf::View(sf::FloatRect(at.x - at.x / scale, at.y - at.y / scale, 1920 / scale,
                                                1080 / scale)));
    };

    growFrom(statusCorner);
    for (Bar b : {healthBar, staminaBar, signalBar})
        bars[b].draw();
    window.draw(background);
    for (const sf::Text* text : {&healthText, &staminaText, &signalLabel})
        window.draw(*text);

    growFrom(weaponCorner);
    for (Bar b : {leftWeaponBar, rightWeaponBar, taserBar})
        bars[b].draw();
    window.draw(weaponPanel);
    for (const sf::Text* text : {&weaponNames[0], &weaponNames[1], &weaponTexts[0], &weaponTexts[1],
                                 &taserLabel, &taserText, &armourLabel, &armourName})
        window.draw(*text);

    growFrom(scoreCorner);
    window.draw(scoreLabel);
    window.draw(scoreText);
    Map* map = Maphandler::getInstance()->currentMap();
    if (map && map->elapsed > 0)
        for (const Message& m : messages)
            window.draw(m.label);

    growFrom(bannerMiddle);

    // The banner keeps to the level's own clock, so coming back from the
    // pause menu (which restarts the level-start timer) does not replay it.
    if (levelStartTimer > 0 && map) {
        sf::Uint8 a = bannerAlpha(map->elapsed);
        if (a > 0) {
            setAlpha(bannerTitle, a);
            setAlpha(bannerSubtitle, a);
            window.draw(bannerTitle);
            window.draw(bannerSubtitle);
        }
    }

    showView(window, Camera::getInstance()->view);
}

std::vector<UI::PlacedText> UI::placedTexts() const {
    const float scale = textScale();
    const sf::FloatRect screen(0, 0, 1920, 1080);
    std::vector<PlacedText> placed;
    auto add = [&](const sf::Text& text, sf::Vector2f from, const sf::FloatRect& room) {
        if (!text.getString().isEmpty())
            placed.push_back({grownFrom(from, text.getGlobalBounds(), scale), room,
                              static_cast<float>(text.getCharacterSize()) * scale});
    };
    const sf::FloatRect status = grownFrom(statusCorner, background.getGlobalBounds(), scale);
    const sf::FloatRect weapons = grownFrom(weaponCorner, weaponPanel.getGlobalBounds(), scale);
    for (const sf::Text* text : {&healthText, &staminaText})
        add(*text, statusCorner, status);
    add(signalLabel, statusCorner, screen);
    for (const sf::Text* text : {&weaponNames[0], &weaponNames[1], &weaponTexts[0], &weaponTexts[1],
                                 &taserLabel, &taserText, &armourLabel, &armourName})
        add(*text, weaponCorner, weapons);
    for (const sf::Text* text : {&scoreLabel, &scoreText})
        add(*text, scoreCorner, screen);
    for (const Message& m : messages)
        add(m.label, scoreCorner, screen);
    return placed;
}
