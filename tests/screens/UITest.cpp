#include "screens/UI.h"
#include "actors/Player.h"
#include "app/Globals.h"
#include "app/Score.h"
#include "world/BrainwashMachine.h"
#include "world/Furniture.h"
#include "world/Map.h"
#include "world/Maphandler.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

namespace {

TEST(UIReadout, ReadsValueSlashMaximumWithPlainFloatFormatting) {
    EXPECT_EQ(UI::readout(30, 30), "30/30");
    EXPECT_EQ(UI::readout(0, 8), "0/8");
    EXPECT_EQ(UI::readout(137.5f, 150), "137.5/150");
    EXPECT_EQ(UI::readout(std::trunc(99.9f), 135), "99/135");
}

TEST(UISignal, TurnsFromGreenBesideTheMachineToRedAMapDiagonalAway) {
    // A 60 x 80 map has a diagonal of 64 x 100 = 6400 pixels.
    EXPECT_EQ(UI::signalRed(0, 60, 80), 0);
    EXPECT_EQ(UI::signalRed(6400, 60, 80), 255);
    EXPECT_EQ(UI::signalRed(3200, 60, 80), 127);
    EXPECT_EQ(UI::signalRed(100000, 60, 80), 255);
    EXPECT_EQ(UI::signalRed(100, 0, 0), 255);
    EXPECT_EQ(UI::signalColourFor(0), sf::Color(0, 255, 0));
    EXPECT_EQ(UI::signalColourFor(200), sf::Color(200, 55, 0));
}

TEST(UISignal, TheBarScansAtFirstThenShowsHowCloseTheMachineIs) {
    Maphandler::getInstance()->setCurrentMap(std::make_unique<Map>(60, 80));
    Map& map = *Maphandler::getInstance()->currentMap();
    map.furniture.push_back(std::make_unique<BrainwashMachine>(sf::Vector2f(1000, 1000)));
    Player* player = Player::getInstance();
    player->position = {1000 + 3200, 1000};
    UI* ui = UI::getInstance();
    ui->restartLevelStart(20);
    ui->update(0.5f);
    EXPECT_FLOAT_EQ(ui->bars[UI::signalBar].value, 243);
    EXPECT_EQ(ui->signalColour, sf::Color(127, 128, 0));
    ui->update(20);
    ui->update(0.01f);
    EXPECT_FLOAT_EQ(ui->bars[UI::signalBar].value, 128);
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

TEST(UIBars, FollowThePlayerAndTurnGoldWhileHeIsInvulnerable) {
    Maphandler::getInstance()->setCurrentMap(std::make_unique<Map>(30, 30));
    Player* player = Player::getInstance();
    player->resetForLevel(true);
    player->HP = player->MaxHP / 4;
    player->Stamina = player->MaxStamina / 2;
    player->invulnerabilityTimer = 0;
    UI* ui = UI::getInstance();
    ui->update(0.01f);
    EXPECT_FLOAT_EQ(ui->bars[UI::healthBar].maximum, player->MaxHP);
    EXPECT_FLOAT_EQ(ui->bars[UI::healthBar].value, player->MaxHP / 4);
    EXPECT_FLOAT_EQ(ui->bars[UI::staminaBar].value, player->MaxStamina / 2);
    EXPECT_NE(ui->bars[UI::healthBar].fill.getFillColor(), sf::Color(255, 215, 0));
    player->invulnerabilityTimer = 3;
    ui->update(0.01f);
    EXPECT_EQ(ui->bars[UI::healthBar].fill.getFillColor(), sf::Color(255, 215, 0));
    EXPECT_FLOAT_EQ(ui->bars[UI::leftWeaponBar].value, player->inventory[0]->getAmmoFraction());
    player->resetForLevel(true);
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

TEST_F(UIMessages, FadeOverTheirLifeAndAreThenRemoved) {
    ui->addMessage("+600 Ranged alien", sf::Color::Green);
    ASSERT_EQ(ui->messages.size(), 1u);
    EXPECT_EQ(ui->messages[0].label.getFillColor().a, 255);
    ui->updateMessages(1.0f, 5);
    EXPECT_EQ(ui->messages[0].label.getFillColor().a, UI::messageAlpha(3.0f));
    EXPECT_EQ(UI::messageAlpha(3.0f), 191);
    ui->updateMessages(2.0f, 6);
    ASSERT_EQ(ui->messages.size(), 1u);
    EXPECT_EQ(ui->messages[0].label.getFillColor().a, 63);
    ui->updateMessages(1.0f, 7);
    EXPECT_TRUE(ui->messages.empty());
}

TEST_F(UIMessages, GlideIntoTheirSlotsAsOlderOnesLeave) {
    ui->addMessage("first");
    ui->updateMessages(2.0f, 1);
    ui->addMessage("second");
    float secondSlotY = ui->messages[1].position.y;
    for (int i = 0; i < 75; ++i)
        ui->updateMessages(1.0f / 30, 2);
    ASSERT_EQ(ui->messages.size(), 1u);
    EXPECT_EQ(ui->messages[0].text, "second");
    EXPECT_LT(ui->messages[0].position.y, secondSlotY);
    EXPECT_NEAR(ui->messages[0].position.y, ui->messages[0].label.getPosition().y, 1);
}

TEST_F(UIMessages, AreClearedBeforeTheLevelClockStartsAndKeptToAShortList) {
    for (int i = 0; i < 12; ++i)
        ui->addMessage("+" + std::to_string(i));
    EXPECT_EQ(ui->messages.size(), UI::maxMessages);
    EXPECT_EQ(ui->messages.back().text, "+11");
    ui->updateMessages(0.01f, 0);
    EXPECT_TRUE(ui->messages.empty());
}

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

TEST(UIBanner, FadesInHoldsAndIsGoneLongBeforeTheScanEnds) {
    EXPECT_EQ(UI::bannerAlpha(0), 0);
    EXPECT_GT(UI::bannerAlpha(0.3f), 0);
    EXPECT_EQ(UI::bannerAlpha(2), 255);
    EXPECT_EQ(UI::bannerAlpha(4.9f), 255);
    EXPECT_EQ(UI::bannerAlpha(7), 0);
    EXPECT_EQ(UI::bannerAlpha(19), 0);
}

TEST(UICarnage, ABrokenPropOrWallScoresOnce) {
    Maphandler::getInstance()->setCurrentMap(std::make_unique<Map>(20, 20));
    UI::getInstance()->messages.clear();
    carnageBonus = 0;
    Furniture chair({200, 200}, false, sf::IntRect(384, 0, 64, 64));
    chair.armour = 0;
    chair.takeDamage(chair.HP + 10, {100, 200});
    ASSERT_TRUE(chair.dead);
    chair.takeDamage(50, {100, 200});
    EXPECT_EQ(carnageBonus, 50);

    Tile wall;
    wall.kind = 1;
    wall.hitPoints = 10;
    wall.armour = 0;
    damageTile(wall, 20, {32, 32});
    damageTile(wall, 20, {32, 32});
    EXPECT_EQ(carnageBonus, 55);
    UI::getInstance()->messages.clear();
    carnageBonus = 0;
}

} // namespace
