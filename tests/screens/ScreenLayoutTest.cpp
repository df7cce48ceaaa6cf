#include "app/AccessibilityState.h"
#include "app/ComfortState.h"
#include "app/ControlsState.h"
#include "app/GameOverState.h"
#include "app/GameStateHandler.h"
#include "app/MainMenuState.h"
#include "app/OptionRows.h"
#include "app/OptionsState.h"
#include "app/PauseMenu.h"
#include "core/Globals.h"
#include "core/InputState.h"
#include "core/Settings.h"
#include "core/TextSize.h"
#include "items/AffixTables.h"
#include "items/ItemGeneration.h"
#include "screens/Highscorescreen.h"
#include "screens/Ingame.h"
#include "screens/ReplaysState.h"
#include "screens/UI.h"
#include "screens/UpgradeState.h"
#include "world/Maphandler.h"

#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Graphics/Texture.hpp>
#include <gtest/gtest.h>

#include <cstdlib>

namespace {

struct Placed {
    std::string what;
    sf::FloatRect bounds, room;
    float size;
};

bool inside(const sf::FloatRect& inner, const sf::FloatRect& outer) {
    return inner.left >= outer.left && inner.top >= outer.top &&
           inner.left + inner.width <= outer.left + outer.width &&
           inner.top + inner.height <= outer.top + outer.height;
}

// On a 1280 x 800 screen the 1080 logical rows are drawn 800 pixels tall.
constexpr float pixelsPerUnit = 800.0f / 1080;

// Every text stays inside its room and off every other, and at 125 % none is
// drawn under a 16-pixel character size.
void expectReadable(const std::vector<Placed>& texts, const std::string& screen) {
    for (std::size_t i = 0; i < texts.size(); ++i) {
        EXPECT_TRUE(inside(texts[i].bounds, texts[i].room))
            << screen << ": " << texts[i].what << " leaves its room";
        if (textSizePercent == 125) {
            EXPECT_GE(texts[i].size * pixelsPerUnit, 16) << screen << ": " << texts[i].what;
        }
        for (std::size_t j = i + 1; j < texts.size(); ++j)
            EXPECT_FALSE(texts[i].bounds.intersects(texts[j].bounds))
                << screen << ": " << texts[i].what << " overlaps " << texts[j].what;
    }
}

Placed drawn(const std::string& what, const sf::Text& text, float room, sf::Vector2f anchor,
             sf::FloatRect area) {
    const sf::Text shown = atTextSize(text, room, anchor);
    return {what + " \"" + text.getString().toAnsiString() + "\"", shown.getGlobalBounds(), area,
            static_cast<float>(shown.getCharacterSize())};
}

void addButtons(const MenuState& menu, std::vector<Placed>& out) {
    for (const MenuButton& b : menu.buttons)
        if (!b.label.getString().isEmpty())
            out.push_back(drawn("button", b.label, static_cast<float>(b.bounds.width) - 24, {0.5f, 0.5f},
                                sf::FloatRect(b.bounds)));
}

// A settings page: labels in their rows left of the "-" buttons, values between the buttons.
template <std::size_t N>
std::vector<Placed> settingsPage(MenuState& page, const std::array<sf::Text, N>& labels,
                                 const std::array<sf::Text, N>& values, float rowHeight) {
    using namespace optionrows;
    for (int frame = 0; frame < 120; ++frame) // the buttons slide in
        page.update(1.0f / 60);
    std::vector<Placed> out;
    addButtons(page, out);
    for (std::size_t r = 0; r < N; ++r) {
        const float top =
            labels[r].getGlobalBounds().top + labels[r].getGlobalBounds().height / 2 - rowHeight / 2;
        out.push_back(drawn("label", labels[r], labelRoom, {0, 0.5f},
                            {labelX - 20, top, minusX - 40 - labelX + 20, rowHeight}));
        out.push_back(drawn("value", values[r], valueRoom, {0.5f, 0.5f},
                            {valueX - valueRoom / 2, top, valueRoom, rowHeight}));
    }
    return out;
}

class ScreenLayout : public ::testing::Test {
  protected:
    void SetUp() override {
        gameWindow().create(sf::VideoMode(1280, 800), "Vantreth", sf::Style::None);
        // Every screen made afresh, with the fonts of the content registry as it is now.
        GameStateHandler::destroyInstance();
    }
    void TearDown() override {
        textSizePercent = 100;
        tierMarks = false;
        tierPalette = 0;
        GameStateHandler::getInstance()->states.clear();
        gameWindow().close();
    }
    // Set VANTRETH_SHOTS to a folder to keep each screen's picture.
    void shoot(GameState& state, const std::string& name) {
        sf::RenderWindow& window = gameWindow();
        window.clear();
        state.draw();
        sf::Texture grab;
        grab.create(1280, 800);
        grab.update(window);
        window.display();
        if (const char* folder = std::getenv("VANTRETH_SHOTS"))
            grab.copyToImage().saveToFile(std::string(folder) + "/" + name + "_" +
                                          std::to_string(textSizePercent) + ".png");
    }
};

TEST_F(ScreenLayout, AtEveryTextSizeTheTextsStayInTheirPanelsOffEachOtherAndReadableAt1280By800) {
    buildAffixTables();
    std::srand(29);
    levelNumber = 30;
    Maphandler::getInstance()->newMap(30);
    // The longest names the tables roll, offered together.
    std::unique_ptr<Item> longest[3];
    auto shorter = [&longest](int a, int b) {
        return !longest[a] || (longest[b] && longest[a]->getName().size() < longest[b]->getName().size()) ? a
                                                                                                          : b;
    };
    for (int roll = 0; roll < 3000; ++roll) {
        const bool armour = roll % 3 == 2;
        std::unique_ptr<Item> item = armour ? std::unique_ptr<Item>(generateArmour(30)) : generateWeapon(30);
        std::unique_ptr<Item>& slot = longest[armour ? 2 : shorter(0, 1)];
        if (!slot || item->getName().size() > slot->getName().size())
            slot = std::move(item);
    }
    GameStateHandler* handler = GameStateHandler::getInstance();
    UpgradeState* upgrade = UpgradeState::getInstance();
    handler->states = {Ingame::getInstance()};
    handler->pushState(upgrade);
    for (int s = 0; s < 3; ++s)
        upgrade->loot[s] = std::move(longest[s]);
    // Tier marks lengthen every name; the colour-blind-safe palette is the one worth a look.
    tierMarks = true;
    tierPalette = 1;
    for (int size : textSizes) {
        textSizePercent = size;
        OptionsState* options = OptionsState::getInstance();
        expectReadable(settingsPage(*options, options->labels, options->values, optionrows::rowStep),
                       "options");
        shoot(*options, "options");
        ComfortState* comfort = ComfortState::getInstance();
        expectReadable(settingsPage(*comfort, comfort->labels, comfort->values, optionrows::rowStep),
                       "comfort");
        AccessibilityState* access = AccessibilityState::getInstance();
        expectReadable(settingsPage(*access, access->labels, access->values, AccessibilityState::rowStep),
                       "accessibility");
        shoot(*access, "accessibility");

        // The other menus' buttons, once they have slid in.
        for (MenuState* menu : {static_cast<MenuState*>(MainMenuState::getInstance()),
                                static_cast<MenuState*>(PauseMenu::getInstance()),
                                static_cast<MenuState*>(ControlsState::getInstance()),
                                static_cast<MenuState*>(GameOverState::getInstance()),
                                static_cast<MenuState*>(Highscorescreen::getInstance()),
                                static_cast<MenuState*>(ReplaysState::getInstance())}) {
            for (int frame = 0; frame < 120; ++frame)
                menu->MenuState::update(1.0f / 60);
            std::vector<Placed> labels;
            addButtons(*menu, labels);
            expectReadable(labels, "menu");
        }

        // The upgrade screen with the first offer's panel open.
        const sf::IntRect slot = upgrade->slotRects[0];
        InputState::getInstance()->mouse = {slot.left + slot.width / 2, slot.top + slot.height / 2};
        upgrade->update(0);
        std::vector<Placed> texts;
        for (int s = 0; s < 3; ++s) {
            texts.push_back({"offer " + upgrade->loot[s]->getName(), upgrade->lootNames[s].getGlobalBounds(),
                             sf::FloatRect(upgrade->slotRects[s]),
                             static_cast<float>(upgrade->lootNames[s].getCharacterSize())});
            texts.push_back({"held", upgrade->heldNames[s].getGlobalBounds(),
                             upgrade->boxes[1].getGlobalBounds(),
                             static_cast<float>(upgrade->heldNames[s].getCharacterSize())});
        }
        expectReadable(texts, "upgrade");
        const InfoPanel& panel = upgrade->infoPanel();
        EXPECT_LE(panel.box().top + panel.box().height, static_cast<float>(slot.top))
            << "the panel covers the offers";
        std::vector<Placed> cells;
        for (const sf::Text& text : panel.texts())
            cells.push_back({"panel " + text.getString().toAnsiString(), text.getGlobalBounds(), panel.box(),
                             static_cast<float>(text.getCharacterSize())});
        expectReadable(cells, "upgrade panel");
        shoot(*upgrade, "upgrade");

        // The heads-up display in a level, with notices coming in.
        UI* hud = UI::getInstance();
        hud->addMessage("+1000 Melee alien", sf::Color::White);
        hud->addCarnage(50, "Furniture smashed");
        hud->update(0.1f);
        std::vector<Placed> hudTexts;
        for (const UI::PlacedText& t : hud->placedTexts())
            hudTexts.push_back({"display text", t.bounds, t.room, t.size});
        expectReadable(hudTexts, "display");
        shoot(*Ingame::getInstance(), "display");
    }
}

} // namespace
