#include "screens/UpgradeState.h"

#include "actors/Player.h"
#include "app/GameStateHandler.h"
#include "core/Camera.h"
#include "core/Contenthandler.h"
#include "core/Globals.h"
#include "core/InputState.h"
#include "core/Picture.h"
#include "core/Random.h"
#include "core/RunKind.h"
#include "core/Settings.h"
#include "core/TextSize.h"
#include "items/ArmorInfo.h"
#include "items/ItemDatabase.h"
#include "items/ItemGeneration.h"
#include "items/RarityColour.h"
#include "items/WeaponInfo.h"
#include "persistence/SaveGame.h"
#include "screens/Ingame.h"
#include "screens/LevelFlow.h"
#include "screens/OverlayUpgradeState.h"
#include "world/CameraFollow.h"
#include "world/Score.h"

#include <SFML/Graphics/RenderWindow.hpp>

#include <climits>
#include <cmath>
#include <optional>
#include <sstream>
#include <string>
#include <utility>

namespace {

// Screen layout, in the 1920 x 1080 menu view: the character on the left,
// the inventory and the run's points beside it, the loot row beneath them.
constexpr float inventoryX = 1020;
constexpr int pointsX = 1590;
constexpr float lootRowX = 1280;
constexpr int lootY = 815;
constexpr int lootXs[3] = {870, 1280, 1690};
const sf::Vector2i lootSize(390, 110);
constexpr int plusX = 560;
constexpr float captionYs[5] = {200, 340, 490, 574, 695}; // "Inventory", the hands, "Armour", "Loot:"
constexpr float heldYs[3] = {398, 548, 640};              // centres of the held items' names

const sf::Color amber(242, 163, 58);
const sf::Color captionColour(160, 166, 184);
const sf::Color emptyColour(110, 114, 128);
const sf::Color better(0, 220, 90);
const sf::Color worse(230, 60, 50);

UpgradeState* screen() {
    return UpgradeState::getInstance();
}

// The player's left hand, right hand or armour, or null for an empty or missing slot.
const Item* heldItem(const Player& player, std::size_t index) {
    return index < player.inventory.size() ? player.inventory[index].get() : nullptr;
}

void swapLeft0() {
    screen()->swapLoot(0, 0);
}
void swapRight0() {
    screen()->swapLoot(0, 1);
}
void swapLeft1() {
    screen()->swapLoot(1, 0);
}
void swapRight1() {
    screen()->swapLoot(1, 1);
}
void wearArmour() {
    screen()->swapLoot(2, 2);
}
void rerollLoot() {
    screen()->reroll();
}
bool rerollAffordable() {
    return screen()->canReroll();
}
void saveRun() {
    screen()->saveRun();
}
void addHealth() {
    screen()->spendStatPoint(&Player::Health);
}
void addStamina() {
    screen()->spendStatPoint(&Player::StaminaStat);
}
void addTaser() {
    screen()->spendStatPoint(&Player::Grapple);
}
void addWeaponHandling() {
    screen()->spendStatPoint(&Player::Weaponhandle);
}
bool hasStatPoints() {
    return Player::getInstance()->Statpoints > 0;
}
void showHelp() {
    GameStateHandler::getInstance()->pushState(OverlayUpgradeState::getInstance());
}

void style(sf::Text& text, const sf::Font& font, unsigned size, sf::Color colour) {
    text.setFont(font);
    text.setCharacterSize(size);
    text.setFillColor(colour);
    text.setOutlineColor(sf::Color(6, 6, 12, 220));
    text.setOutlineThickness(2);
}

// Sets a text and centres it on x, its top at y, on whole units so it stays sharp.
void setCentred(sf::Text& text, const std::string& string, float x, float y) {
    text.setString(string);
    sf::FloatRect bounds = text.getLocalBounds();
    text.setPosition(std::round(x - bounds.left - bounds.width / 2), std::round(y));
}

TierPalette palette() {
    return tierPalette == 1 ? TierPalette::colourBlindSafe : TierPalette::standard;
}

sf::Color nameColour(const Item& item) {
    return rarityColour(item.getRarity(), palette());
}

// With tier marks on, the tier's word leads the name, so the tier reads
// without its colour, and a name cut short to fit still shows it.
std::string markedName(const Item& item) {
    if (!tierMarks)
        return item.getName();
    return std::string("[") + tierWord(rarityTier(item.getRarity())) + "] " + item.getName();
}

// Breaks a name in two lines at the space nearest its middle (if it has one).
std::string inTwoLines(std::string name) {
    auto offMiddle = [&name](std::size_t i) {
        return std::abs(2.0 * static_cast<double>(i) - static_cast<double>(name.size()));
    };
    std::size_t best = name.find(' ');
    for (std::size_t i = best; i != std::string::npos; i = name.find(' ', i + 1))
        if (offMiddle(i) < offMiddle(best))
            best = i;
    if (best != std::string::npos)
        name[best] = '\n';
    return name;
}

// The words of a string broken into lines no wider than the width at the
// text's font and size (a single longer word keeps a line of its own).
std::string wordWrap(sf::Text& probe, const std::string& string, float width) {
    std::string wrapped, line, word;
    std::istringstream words(string);
    while (words >> word) {
        probe.setString(line.empty() ? word : line + ' ' + word);
        if (!line.empty() && probe.getLocalBounds().width > width) {
            wrapped += line + '\n';
            line = word;
        } else {
            line = probe.getString();
        }
    }
    return wrapped + line;
}

// At a larger text size a long name wraps onto as many lines as its room
// holds, shrinking no further than a size still readable on a small screen;
// past that its last words give way to "...", the tier mark at its front kept.
void wrapName(sf::Text& text, const std::string& name, sf::Vector2f room, unsigned largest,
              unsigned smallest) {
    auto fits = [&text, room] {
        const sf::FloatRect box = text.getLocalBounds();
        return box.width <= room.x && box.height <= room.y;
    };
    for (unsigned size = largest; size >= smallest; --size) {
        text.setCharacterSize(size);
        text.setString(wordWrap(text, name, room.x));
        if (fits())
            return;
    }
    std::string shortened = name;
    while (!shortened.empty()) {
        const std::size_t cut = shortened.find_last_of(' ');
        shortened.resize(cut == std::string::npos ? 0 : cut);
        text.setString(wordWrap(text, shortened + "...", room.x));
        if (fits())
            return;
    }
}

// An item's name in its rarity colour, centred on (x, y); a name too long
// for one line takes two, and at a larger text size as many as the room holds. Laying a long name out to fit
// costs more than the rest of a frame, so a text keeps its layout while its name, colour, place and size
// (remembered in laidOutFrom) stay the same.
void setItemName(sf::Text& text, std::string& laidOutFrom, const Item* item, float x, float y,
                 sf::Vector2f room) {
    const float maxWidth = room.x;
    sf::Color colour = item ? nameColour(*item) : emptyColour;
    std::string name = item ? markedName(*item) : "Empty";
    std::string layout = name + '\n' + std::to_string(colour.toInteger()) + '\n' + std::to_string(x) + ',' +
                         std::to_string(y) + ',' + std::to_string(maxWidth) + ',' +
                         std::to_string(textSizePercent);
    if (layout == laidOutFrom)
        return;
    laidOutFrom = layout;
    text.setFillColor(colour);
    text.setOutlineColor(InfoPanel::outlineFor(colour));
    if (textSizePercent > 100) {
        wrapName(text, name, room, scaledTextSize(26), scaledTextSize(18));
    } else {
        text.setCharacterSize(26);
        text.setString(name);
        if (text.getLocalBounds().width > maxWidth) {
            text.setCharacterSize(22);
            text.setString(inTwoLines(name));
        }
        InfoPanel::fitText(text, maxWidth, 16);
    }
    sf::FloatRect bounds = text.getLocalBounds();
    text.setPosition(std::round(x - bounds.left - bounds.width / 2),
                     std::round(y - bounds.top - bounds.height / 2));
}

sf::Color comparisonColour(int comparison) {
    return comparison > 0 ? better : (comparison < 0 ? worse : sf::Color::White);
}

// The item's picture: a weapon from the gun sheet, turned to point right; an
// armour from the armour icons, which follow the order of the armour templates.
void setItemIcon(sf::Sprite& icon, const Item& item, sf::Vector2f centre) {
    Contenthandler* content = Contenthandler::getInstance();
    icon.setOrigin(32, 32);
    icon.setPosition(centre);
    if (item.getType() == "Armorr:") {
        int index = 0;
        for (std::size_t t = 0; t < armourTemplates.size(); ++t)
            if (armourTemplates[t].getBasename() == item.getBasename())
                index = static_cast<int>(t);
        icon.setTexture(content->armourIconTexture);
        icon.setTextureRect(sf::IntRect(64 * index, 0, 64, 64));
        icon.setRotation(0);
        icon.setScale(1.1f, 1.1f);
    } else {
        icon.setTexture(content->gunTextures[0]);
        icon.setTextureRect(sf::IntRect(0, 64 * item.getGfx(), 64, 64));
        icon.setRotation(-90);
        icon.setScale(1.3f, 1.3f);
    }
}

sf::RectangleShape box(float left, float top, float width, float height) {
    sf::RectangleShape shape(sf::Vector2f(width, height));
    shape.setPosition(left, top);
    shape.setFillColor(sf::Color(16, 18, 28, 200));
    shape.setOutlineColor(sf::Color(74, 80, 102, 220));
    shape.setOutlineThickness(2);
    return shape;
}

} // namespace

UpgradeState::UpgradeState() {
    Contenthandler* content = Contenthandler::getInstance();
    const sf::Font& display = content->fontBeantown;
    const sf::Font& sans = content->fontSujet;

    // Loot slots, then the run's buttons, then the stat buttons and help, in this order.
    const MenuButton::Action lootLeft[3] = {swapLeft0, swapLeft1, wearArmour};
    const MenuButton::Action lootRight[3] = {swapRight0, swapRight1, nullptr};
    for (int s = 0; s < 3; ++s) {
        buttons.emplace_back(sf::Vector2i(lootXs[s], lootY), lootSize, lootLeft[s], lootRight[s], nullptr, -1,
                             "", "");
        slotRects[s] = buttons.back().bounds;
    }
    buttons.emplace_back(sf::Vector2i(lootXs[2], 985), sf::Vector2i(256, 128), enterNextLevel, nullptr,
                         nullptr, 0, "Continue", "");
    buttons.emplace_back(sf::Vector2i(pointsX, 340), sf::Vector2i(256, 128), rerollLoot, nullptr,
                         rerollAffordable, 0, "Reroll", "");
    saveButton = buttons.size();
    buttons.emplace_back(sf::Vector2i(pointsX, 560), sf::Vector2i(256, 128), ::saveRun, nullptr, nullptr, 0,
                         "Save", "Game Saved");
    const MenuButton::Action statActions[4] = {addHealth, addStamina, addTaser, addWeaponHandling};
    for (int i = 0; i < 4; ++i)
        buttons.emplace_back(sf::Vector2i(plusX, static_cast<int>(statAnchor.y) + 122 + 100 * i),
                             sf::Vector2i(64, 64), statActions[i], nullptr, hasStatPoints, -1, "+", "");
    buttons.emplace_back(sf::Vector2i(1862, 58), sf::Vector2i(64, 64), showHelp, nullptr, nullptr, -1, "?",
                         "");
    // The one-character labels of the small buttons would be lost at the usual size.
    for (std::size_t b = buttons.size() - 5; b < buttons.size(); ++b)
        buttons[b].label.setCharacterSize(40);

    const char* const labels[5] = {"Inventory", "Left Hand", "Right Hand", "Armour", "Loot:"};
    for (int i = 0; i < 5; ++i) {
        bool heading = i == 0 || i == 4;
        style(fixedLabels[i], display, heading ? 48 : 30, heading ? amber : captionColour);
        setCentred(fixedLabels[i], labels[i], i == 4 ? lootRowX : inventoryX, captionYs[i]);
    }
    for (sf::Text& text : lootNames)
        style(text, sans, 26, sf::Color::White);
    for (sf::Text& text : heldNames)
        style(text, sans, 26, sf::Color::White);
    for (sf::Text& text : statTexts)
        style(text, sans, 30, sf::Color::White);
    style(rerollPointsText, sans, 26, sf::Color::White);
    style(costText, sans, 26, sf::Color::White);
    style(levelText, display, 64, amber);
    style(scoreText, sans, 24, captionColour);
    style(hintText, sans, 19, captionColour);
    setCentred(
        hintText,
        "Left-click a weapon for your left hand, right-click for your right hand; click armour to wear it",
        lootRowX, lootY + lootSize.y / 2 + 12);

    boxes[0] = box(60, 215, 560, 640);
    boxes[1] = box(760, 180, 520, 496);
    boxes[2] = box(1330, 180, 520, 490);
}

UpgradeState::~UpgradeState() = default;

void UpgradeState::onEnter() {
    MenuState::onEnter();
    // Dim enough for the texts, light enough to see the level just cleared.
    menuShade.setFillColor(sf::Color(0, 0, 0, 100));
    if (visiting)
        return;
    visiting = true;
    offerRound = 0;
    rollLoot();
    rerollCost = firstRerollCost;
    hovered = -1;
    showInfo = false;
    if (showUpgradeHelpOnce)
        GameStateHandler::getInstance()->pushState(OverlayUpgradeState::getInstance());
}

void UpgradeState::onExit() {
    MenuState::onExit();
    visiting = false;
    for (std::unique_ptr<Item>& item : loot)
        item.reset();
    hovered = -1;
    showInfo = false;
}

void UpgradeState::rollLoot() {
    // A seeded run's offers are the seed's: the same for everyone on this
    // level and this reroll, whatever each did before.
    std::optional<SeparateStream> stream;
    if (currentRun.seeded())
        stream.emplace(derivedSeed(currentRun.seed, levelNumber, SeedPurpose::offers, offerRound));
    ++offerRound;
    loot[0] = generateWeapon(levelNumber);
    loot[1] = generateWeapon(levelNumber);
    loot[2] = generateArmour(static_cast<float>(levelNumber));
}

bool UpgradeState::canReroll() const {
    return upgradePoints >= rerollCost;
}

void UpgradeState::reroll() {
    if (!canReroll())
        return;
    rollLoot();
    upgradePoints -= rerollCost;
    // Doubling stops short of overflowing; no run affords that many rerolls anyway.
    rerollCost = rerollCost > INT_MAX / 2 ? INT_MAX : rerollCost * 2;
}

bool UpgradeState::swapLoot(int slot, int inventoryIndex) {
    bool weaponSwap = (slot == 0 || slot == 1) && (inventoryIndex == 0 || inventoryIndex == 1);
    bool armourSwap = slot == 2 && inventoryIndex == 2;
    if (!(weaponSwap || armourSwap) || !loot[slot])
        return false;
    Player* player = Player::getInstance();
    if (player->inventory.size() < 3)
        player->inventory.resize(3);
    std::swap(loot[slot], player->inventory[static_cast<std::size_t>(inventoryIndex)]);
    if (armourSwap)
        player->recomputePools();
    else
        player->equipHands();
    return true;
}

bool UpgradeState::spendStatPoint(int Player::*stat) {
    Player* player = Player::getInstance();
    if (player->Statpoints <= 0)
        return false;
    player->Statpoints -= 1;
    player->*stat += 1;
    player->recomputePools();
    return true;
}

void UpgradeState::saveRun() {
    if (!currentRun.keepsSaves())
        buttons[saveButton].altLabel.setString("Daily: no saves");
    else
        buttons[saveButton].altLabel.setString(saveGame("save") ? "Game Saved" : "Save failed");
}

void UpgradeState::update(float dt) {
    MenuState::update(dt);
    updateTexts();
    updateHover();
}

void UpgradeState::updateTexts() {
    const Player* player = Player::getInstance();
    for (int s = 0; s < 3; ++s) {
        const sf::IntRect& r = slotRects[s];
        float centreY = static_cast<float>(r.top + r.height / 2);
        float nameX = static_cast<float>(r.left) + static_cast<float>(r.width) / 2 + (loot[s] ? 40 : 0);
        setItemName(lootNames[s], laidOutFrom[s], loot[s].get(), nameX, centreY,
                    {static_cast<float>(r.width) - 130, static_cast<float>(r.height) - 14});
        if (loot[s])
            setItemIcon(lootIcons[s], *loot[s], sf::Vector2f(static_cast<float>(r.left) + 62, centreY));
    }
    for (std::size_t h = 0; h < 3; ++h) {
        const Item* item = heldItem(*player, h);
        setItemName(heldNames[h], laidOutFrom[3 + h], item, inventoryX + (item ? 36 : 0), heldYs[h],
                    {390, 64});
        if (item)
            setItemIcon(heldIcons[h], *item,
                        sf::Vector2f(heldNames[h].getGlobalBounds().left - 52, heldYs[h]));
    }

    const float x = statAnchor.x, y = statAnchor.y;
    sf::Text& points = statTexts[0];
    bool unspent = player->Statpoints > 0;
    points.setCharacterSize(unspent ? 45 : 30);
    points.setFillColor(unspent ? sf::Color(255, 255, 0) : sf::Color::White);
    setCentred(points, "Stat Points: " + std::to_string(player->Statpoints), x, y - 100 - (unspent ? 8 : 0));
    setCentred(statTexts[1],
               "Experience: " + std::to_string(player->XP) + "/" + std::to_string(player->XPneeded), x, y);
    // The lines with a + button beside them stand a little left of the column's middle.
    setCentred(statTexts[2], "HP: " + formatStat(player->MaxHP), x - 40, y + 100);
    setCentred(statTexts[3], "Stamina: " + formatStat(player->MaxStamina), x - 40, y + 200);
    setCentred(statTexts[4], "Taser: " + std::to_string(player->Grapple), x - 40, y + 300);
    setCentred(statTexts[5], "Weapon Handling: " + std::to_string(player->Weaponhandle), x - 40, y + 400);

    setCentred(rerollPointsText, "Reroll Points: " + std::to_string(upgradePoints), pointsX, 215);
    rerollPointsText.setFillColor(canReroll() ? sf::Color::White : captionColour);
    setCentred(costText, "Cost: " + std::to_string(rerollCost), pointsX, 412);
    costText.setFillColor(canReroll() ? sf::Color::White : worse);
    setCentred(levelText, "Level: " + std::to_string(levelNumber + 1), x, 60);
    setCentred(scoreText, "Current overall score: " + std::to_string(totalScore), x, 150);
}

void UpgradeState::updateHover() {
    showInfo = false;
    hovered = -1;
    sf::Vector2i mouse = InputState::getInstance()->mouse;
    for (int s = 0; s < 3; ++s)
        if (slotRects[s].contains(mouse) && loot[s])
            hovered = s;
    // Without a mouse, the loot slot the keys or pad focused shows its panel.
    if (hovered < 0 && focusFromKeys && focus >= 0 && focus < 3 && loot[focus])
        hovered = focus;
    if (hovered >= 0) {
        showInfo = true;
        fillPanel(hovered);
    }
}

void UpgradeState::fillPanel(int slot) {
    const Player& player = *Player::getInstance();
    const Item& choice = *loot[slot];
    float centreX = static_cast<float>(slotRects[slot].left + slotRects[slot].width / 2);
    // Above the "Loot:" heading, so the whole row of slots stays in view.
    float bottomY = 686;
    std::vector<InfoPanel::Row> rows;

    if (slot == 2) {
        const Item* worn = heldItem(player, 2);
        ArmorInfo offered = armourInfo(choice, worn);
        ArmorInfo own = worn ? armourInfo(*worn, worn) : ArmorInfo{};
        for (std::size_t r = 0; r < offered.rows.size(); ++r) {
            InfoPanel::Row row{offered.rows[r].label, {}};
            // The worn armour's values are coloured against the offered ones, as the held weapons are.
            bool isName = r == 0;
            row.cells.push_back(isName ? InfoPanel::Cell{markedName(choice), nameColour(choice)}
                                       : InfoPanel::Cell{offered.rows[r].text, sf::Color::White});
            if (worn)
                row.cells.push_back(isName ? InfoPanel::Cell{markedName(*worn), nameColour(*worn)}
                                           : InfoPanel::Cell{own.rows[r].text,
                                                             comparisonColour(-offered.rows[r].comparison)});
            rows.push_back(row);
        }
        panel.show({offered.status, worn ? own.status : "Equipped"}, rows, centreX, bottomY, textScale());
        return;
    }

    const Item* hands[3] = {&choice, heldItem(player, 0), heldItem(player, 1)};
    WeaponInfo info = weaponInfo(choice, hands[1], hands[2]);
    for (std::size_t r = 0; r < info.rows.size(); ++r) {
        InfoPanel::Row row{info.rows[r].label, {}};
        for (int c = 0; c < 3; ++c) {
            if (r == 0 && hands[c])
                row.cells.push_back({markedName(*hands[c]), nameColour(*hands[c])});
            else
                row.cells.push_back({info.rows[r].cells[c], comparisonColour(info.rows[r].comparison[c])});
        }
        rows.push_back(row);
    }
    panel.show({"Choice", "Left", "Right"}, rows, centreX, bottomY, textScale());
}

void UpgradeState::drawBackdrop() {
    Ingame::getInstance()->drawWorld();
}

void UpgradeState::draw() {
    drawBackdrop();
    Camera* camera = Camera::getInstance();
    camera->screenMode = true;
    followPlayer(0);
    sf::RenderWindow& window = gameWindow();
    showView(window, camera->view);
    window.draw(background);
    window.draw(foreground);
    window.draw(menuShade);
    for (const sf::RectangleShape& shape : boxes)
        window.draw(shape);
    for (MenuButton& button : buttons)
        button.draw();

    // The captions over the inventory's rows and the loot, each in its row of the panel. The hand and
    // armour captions stand between the held items' names with no room to grow, and need none.
    drawText(window, fixedLabels[0], roomAround(fixedLabels[0], 775, 490, 44));
    for (std::size_t i = 1; i < 4; ++i)
        drawTextAsLaidOut(window, fixedLabels[i], roomAround(fixedLabels[i], 775, 490, 42));
    drawText(window, fixedLabels[4], roomAround(fixedLabels[4], 675, 1210, 44));
    for (int s = 0; s < 3; ++s) {
        if (loot[s])
            window.draw(lootIcons[s]);
        window.draw(lootNames[s]);
    }
    const Player* player = Player::getInstance();
    for (std::size_t h = 0; h < 3; ++h) {
        if (heldItem(*player, h))
            window.draw(heldIcons[h]);
        window.draw(heldNames[h]);
    }
    // The stat lines keep to the stat panel, those with a + button left of it.
    for (std::size_t i = 0; i < std::size(statTexts); ++i)
        drawText(window, statTexts[i],
                 i < 2 ? roomAround(statTexts[i], 75, 530, 80) : roomAround(statTexts[i], 75, 445, 80));
    drawText(window, rerollPointsText, roomAround(rerollPointsText, 1345, 490, 50));
    drawText(window, costText, roomAround(costText, 1345, 490, 32));
    drawText(window, levelText, roomAround(levelText, 75, 530, 80));
    drawText(window, scoreText, roomAround(scoreText, 75, 530, 40));
    drawText(window, hintText, roomAround(hintText, 675, 1210, 36));
    if (showInfo)
        panel.draw(window);
}
