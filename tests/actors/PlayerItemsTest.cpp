#include "actors/Player.h"
#include "app/Camera.h"
#include "app/Globals.h"
#include "app/InputState.h"
#include "items/ItemDatabase.h"
#include "world/Map.h"
#include "world/Maphandler.h"

#include <SFML/Window/Keyboard.hpp>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <string>

namespace {

// The player with the starting kit on an empty map, standing at (400, 300)
// under a view at the world's origin, the pointer far to his right. Input is
// written straight into InputState; frame() then runs one player frame and
// rolls this frame's input into the previous frame's, as the game loop does.
class PlayerWithItems : public ::testing::Test {
protected:
    void SetUp() override {
        std::srand(11);
        levelNumber = 1;
        buildItemDatabase();
        clearInput();
        Maphandler::getInstance()->setCurrentMap(std::make_unique<Map>(60, 40));
        map = Maphandler::getInstance()->currentMap();
        player = Player::getInstance();
        player->resetForLevel(true);
        player->position = {400, 300};
        player->equipHands();
        Camera* camera = Camera::getInstance();
        camera->screenMode = false;
        camera->view.setSize(1920, 1080);
        camera->view.setCenter(960, 540);
        camera->visibleArea = sf::IntRect(0, 0, 1920, 1080);
        input()->mouse = {1400, 300};
    }
    void TearDown() override {
        clearInput();
        levelNumber = 1;
        player->resetForLevel(true);
        Maphandler::getInstance()->setCurrentMap(nullptr);
    }

    static InputState* input() { return InputState::getInstance(); }
    static void clearInput() {
        InputState* in = input();
        std::fill(std::begin(in->keys), std::end(in->keys), false);
        std::fill(std::begin(in->previousKeys), std::end(in->previousKeys), false);
        std::fill(std::begin(in->buttons), std::end(in->buttons), false);
        std::fill(std::begin(in->previousButtons), std::end(in->previousButtons), false);
    }
    void frame(float dt = 0.01f) {
        player->update(dt);
        InputState* in = input();
        std::copy(std::begin(in->keys), std::end(in->keys), std::begin(in->previousKeys));
        std::copy(std::begin(in->buttons), std::end(in->buttons), std::begin(in->previousButtons));
    }
    void frames(int n, float dt = 0.01f) {
        for (int i = 0; i < n; ++i)
            frame(dt);
    }
    Item& left() { return *player->inventory[0]; }
    Item& right() { return *player->inventory[1]; }

    Map* map = nullptr;
    Player* player = nullptr;
};

TEST_F(PlayerWithItems, TheInventoryAlwaysHoldsTwoHandsAndAnArmour) {
    Player::destroyInstance();
    player = Player::getInstance();
    ASSERT_EQ(player->inventory.size(), 3u);
    for (int i = 0; i < 2; ++i) {
        ASSERT_NE(player->inventory[static_cast<std::size_t>(i)], nullptr);
        std::string type = player->inventory[static_cast<std::size_t>(i)]->getType();
        EXPECT_TRUE(type == "weapon" || type == "bombbb") << type;
    }
    ASSERT_NE(player->inventory[2], nullptr);
    EXPECT_EQ(player->inventory[2]->getType(), "Armorr:");

    player->resetForLevel(true);
    ASSERT_EQ(player->inventory.size(), 3u);
    EXPECT_EQ(left().getBasename(), "9mm pistol");
    EXPECT_EQ(right().getBasename(), "9mm pistol");
    EXPECT_EQ(player->inventory[2]->getBasename(), "Kevlar vest");
    // The sprite column and sound channels: the left item is hand 1.
    EXPECT_EQ(dynamic_cast<Weapon&>(left()).getHand(), 1);
    EXPECT_EQ(dynamic_cast<Weapon&>(right()).getHand(), 0);

    // Later levels keep the equipment and reload it.
    levelNumber = 4;
    const Item* kept = &left();
    left().setAmmo(3);
    player->resetForLevel(false);
    ASSERT_EQ(player->inventory.size(), 3u);
    EXPECT_EQ(&left(), kept);
    EXPECT_FLOAT_EQ(left().getAmmo(), left().getMaxAmmo());
}

TEST_F(PlayerWithItems, TheWornArmourSetsHitPointsSpeedAndArmourValue) {
    levelNumber = 3;
    player->inventory[2] = std::make_unique<Armor>("Test plate", 10, 1, 0.5f, 50);
    player->resetForLevel(false);
    EXPECT_FLOAT_EQ(player->MaxHP, 150);
    EXPECT_FLOAT_EQ(player->speedFactor(), 0.5f);
    player->takeDamage(30, player->position + sf::Vector2f(10, 0));
    EXPECT_FLOAT_EQ(player->armour, 10);
    EXPECT_FLOAT_EQ(player->HP, 150 - 29); // 30 less a tenth of the rating

    // Nothing worn: no bonus, full speed, no armour, and no crash.
    player->inventory[2].reset();
    player->resetForLevel(false);
    EXPECT_FLOAT_EQ(player->MaxHP, 100);
    EXPECT_FLOAT_EQ(player->speedFactor(), 1.0f);
    player->takeDamage(30, player->position + sf::Vector2f(10, 0));
    EXPECT_FLOAT_EQ(player->armour, 0);
    frames(5);
}

TEST_F(PlayerWithItems, HandsAimBesideTheLineToThePointerAndHangWhileEmpty) {
    frames(200);
    auto& l = dynamic_cast<Weapon&>(left());
    auto& r = dynamic_cast<Weapon&>(right());
    // Pointer to the right: the left hand is above the aim line, the right below.
    EXPECT_GT(l.getSprite().getPosition().x, player->position.x + 20);
    EXPECT_GT(r.getSprite().getPosition().x, player->position.x + 20);
    EXPECT_LT(l.getSprite().getPosition().y, player->position.y - 10);
    EXPECT_GT(r.getSprite().getPosition().y, player->position.y + 10);

    input()->mouse = {100, 300}; // now to his left
    frames(200);
    EXPECT_LT(l.getSprite().getPosition().x, player->position.x - 20);
    EXPECT_GT(l.getSprite().getPosition().y, player->position.y + 10);

    l.setAmmo(0);
    l.setPosition(player->position);
    frames(30);
    EXPECT_NEAR(l.getSprite().getPosition().x, player->position.x + 24, 2);
    EXPECT_NEAR(l.getSprite().getPosition().y, player->position.y + 24, 2);
}

} // namespace
