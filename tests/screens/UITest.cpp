#include "screens/UI.h"
#include "actors/Player.h"
#include "core/Globals.h"
#include "world/BrainwashMachine.h"
#include "world/Furniture.h"
#include "world/Map.h"
#include "world/Maphandler.h"
#include "world/Score.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

namespace {

TEST(UISignal, OnceItHasScannedTheBarShowsHowCloseTheMachineIs) {
    Maphandler::getInstance()->setCurrentMap(std::make_unique<Map>(60, 80));
    Map& map = *Maphandler::getInstance()->currentMap();
    map.furniture.push_back(std::make_unique<BrainwashMachine>(sf::Vector2f(1000, 1000)));
    Player* player = Player::getInstance();
    player->position = {1000 + 3200, 1000};
    UI* ui = UI::getInstance();
    ui->restartLevelStart(20);
    ui->update(0.5f);
    ui->update(20);
    ui->update(0.01f);
    const float far = ui->bars[UI::signalBar].value;
    EXPECT_LT(far, 255);
    player->position = {1000, 1000};
    ui->update(0.01f);
    EXPECT_FLOAT_EQ(ui->bars[UI::signalBar].value, 255);
    EXPECT_EQ(ui->signalColour, sf::Color(0, 255, 0));

    // With the machine gone the last prop is an ordinary one, and there is nothing to follow.
    map.furniture.push_back(
        std::make_unique<Furniture>(sf::Vector2f(3000, 3000), false, sf::IntRect(384, 0, 64, 64)));
    ui->update(0.01f);
    EXPECT_FLOAT_EQ(ui->bars[UI::signalBar].value, 0);
}

class UIMessages : public ::testing::Test {
  protected:
    void SetUp() override {
        ui = UI::getInstance();
        ui->messages.clear();
        carnageBonus = 0;
    }
    void TearDown() override {
        ui->messages.clear();
        carnageBonus = 0;
    }
    UI* ui = nullptr;
};

TEST_F(UIMessages, BrokenWallsInQuickSuccessionAddUpOnOneLine) {
    ui->addCarnage(5, "Wall broken");
    ui->addMessage("+1000 Melee alien");
    ui->addCarnage(5, "Wall broken");
    ui->addCarnage(5, "Wall broken");
    EXPECT_EQ(carnageBonus, 15);
    ASSERT_EQ(ui->messages.size(), 2u);
    EXPECT_EQ(ui->messages[0].text, "+15 Wall broken x3");
    // Once the notice has aged, new damage starts a line of its own.
    ui->updateMessages(2.0f, 1);
    ui->addCarnage(50, "Furniture smashed");
    ui->addCarnage(5, "Wall broken");
    EXPECT_EQ(ui->messages.back().text, "+5 Wall broken");
    EXPECT_EQ(carnageBonus, 70);
}

} // namespace
