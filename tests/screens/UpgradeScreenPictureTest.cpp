#include "screens/UpgradeState.h"

#include "actors/Player.h"
#include "app/GameStateHandler.h"
#include "core/Globals.h"
#include "core/InputState.h"
#include "core/Settings.h"
#include "items/AffixTables.h"
#include "screens/Ingame.h"
#include "screens/OverlayUpgradeState.h"
#include "world/Maphandler.h"
#include "world/Score.h"

#include <SFML/Graphics/Image.hpp>
#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Graphics/Texture.hpp>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

// Draws the real screen over a generated level in a real window. Set
// VANTRETH_SHOTS to a folder to keep the pictures for a look.
class UpgradeScreenPicture : public ::testing::Test {
  protected:
    void SetUp() override {
        window.create(sf::VideoMode(1920, 1080), "Vantreth", sf::Style::None);
        buildAffixTables();
        levelNumber = 1;
        player = Player::getInstance();
        player->resetForLevel(true);
        levelNumber = 6;
        std::srand(21);
        Maphandler::getInstance()->newMap(6);
        player->Statpoints = 2;
        player->XP = 3120;
        player->XPneeded = 4266;
        player->Health = 1;
        player->recomputePools();
        upgradePoints = 3500;
        totalScore = 18240;
        showUpgradeHelpOnce = false;
        handler = GameStateHandler::getInstance();
        handler->states = {Ingame::getInstance()};
        handler->pushState(UpgradeState::getInstance());
        // Let the sliding buttons come to rest.
        for (int frame = 0; frame < 90; ++frame)
            handler->top()->update(1.0f / 120);
    }
    void TearDown() override {
        handler->popState();
        handler->states.clear();
        window.close();
        levelNumber = 1;
        player->resetForLevel(true);
    }
    void pointAt(sf::Vector2i at) {
        InputState* input = InputState::getInstance();
        input->previousMouse = input->mouse = at;
        for (int b = 0; b < 3; ++b)
            input->buttons[b] = input->previousButtons[b] = false;
        handler->top()->update(1.0f / 120);
    }
    sf::Image shoot(const std::string& name) {
        window.clear(sf::Color(96, 128, 96));
        handler->top()->draw();
        sf::Texture grab;
        grab.create(window.getSize().x, window.getSize().y);
        grab.update(window);
        window.display();
        sf::Image picture = grab.copyToImage();
        if (const char* folder = std::getenv("VANTRETH_SHOTS"))
            picture.saveToFile(std::string(folder) + "/" + name);
        return picture;
    }
    sf::Vector2i slotCentre(int s) {
        sf::IntRect r = UpgradeState::getInstance()->slotRects[s];
        return {r.left + r.width / 2, r.top + r.height / 2};
    }

    sf::RenderWindow& window = gameWindow();
    Player* player = nullptr;
    GameStateHandler* handler = nullptr;
};

// Near-black navy of the panels, whatever the level behind shows.
bool isPanelShade(sf::Color c) {
    return c.r < 40 && c.g < 40 && c.b < 55;
}

TEST_F(UpgradeScreenPicture, TheHoveredWeaponsPanelIsDrawnOverTheDimmedLevel) {
    UpgradeState* screen = UpgradeState::getInstance();
    // A rare and an epic name beside it, to see them read on the dark slots.
    screen->loot[1]->setRarity(120);
    screen->loot[2]->setRarity(160);
    pointAt(slotCentre(0));
    ASSERT_TRUE(screen->showInfo);
    sf::Image picture = shoot("upgrade_weapon_panel.png");
    ASSERT_EQ(picture.getSize(), sf::Vector2u(1920, 1080));
    sf::FloatRect box = screen->infoPanel().box();
    // Just inside the left edge, below the headings: panel, not text.
    sf::Color inside = picture.getPixel(static_cast<unsigned>(box.left + 8),
                                        static_cast<unsigned>(box.top + box.height / 2));
    EXPECT_TRUE(isPanelShade(inside)) << int(inside.r) << "," << int(inside.g) << "," << int(inside.b);
}

} // namespace
