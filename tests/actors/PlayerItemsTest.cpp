#include "actors/Grenade.h"
#include "actors/Player.h"
#include "core/Camera.h"
#include "core/Contenthandler.h"
#include "core/Globals.h"
#include "core/InputState.h"
#include "core/Settings.h"
#include "items/ItemDatabase.h"
#include "items/ItemGeneration.h"
#include "support/BaseTypes.h"
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

std::unique_ptr<Weapon> weapon(const std::string& basename) {
    return design::copyOf(weaponTemplates, basename);
}

std::unique_ptr<Bomb> grenade() {
    auto g = design::copyOf(bombTemplates, "Grenade");
    g->setSemiAuto(false); // as the generator hands it out
    return g;
}

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
        sprintToggles = false;
        fireToggles = {false, false};
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
    // Puts an item in a hand and lets its fire cooldown run out.
    void hold(int hand, std::unique_ptr<Item> item) {
        player->inventory[static_cast<std::size_t>(hand)] = std::move(item);
        player->equipHands();
        frames(400);
    }
    Item& left() { return *player->inventory[0]; }
    Item& right() { return *player->inventory[1]; }
    std::size_t shotsOnMap() const { return map->shots.size() + map->penetratingShots.size(); }

    Map* map = nullptr;
    Player* player = nullptr;
};

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

TEST_F(PlayerWithItems, EachMouseButtonFiresItsOwnHandAndSemiAutomaticsNeedAFreshPress) {
    hold(0, weapon("SMG"));
    float rightAmmo = right().getAmmo();
    input()->buttons[0] = true;
    frames(50); // half a second of an SMG at 15 rounds per second
    EXPECT_GE(shotsOnMap(), 6u);
    EXPECT_LT(left().getAmmo(), left().getMaxAmmo());
    EXPECT_FLOAT_EQ(right().getAmmo(), rightAmmo);

    // The right pistol fires once however long its button is held.
    input()->buttons[0] = false;
    frames(100);
    map->shots.clear();
    input()->buttons[1] = true;
    frames(100);
    EXPECT_EQ(shotsOnMap(), 1u);
    EXPECT_FLOAT_EQ(right().getAmmo(), rightAmmo - 1);
    input()->buttons[1] = false;
    frame();
    input()->buttons[1] = true;
    frame();
    EXPECT_EQ(shotsOnMap(), 2u);
}

TEST_F(PlayerWithItems, ToggledFireAndSprintActOnATapWhileAGrenadeStillGoesByItsButton) {
    fireToggles = {true, true};
    hold(0, weapon("SMG"));
    auto tap = [this](bool& down) {
        down = true;
        frame();
        down = false;
        frame();
    };
    tap(input()->buttons[0]);
    frames(48);
    EXPECT_GE(shotsOnMap(), 6u) << "a tap keeps an automatic firing";
    tap(input()->buttons[0]);
    map->shots.clear();
    frames(50);
    EXPECT_EQ(shotsOnMap(), 0u) << "a second tap stops it";

    // The semi-automatic right pistol fires once, as it does while held.
    tap(input()->buttons[1]);
    frames(100);
    EXPECT_EQ(shotsOnMap(), 1u);

    // Sprint toggled on spends stamina while walking and stops a grenade's charge.
    sprintToggles = true;
    hold(0, grenade());
    input()->keys[sf::Keyboard::D] = true;
    const float rested = player->Stamina;
    tap(input()->keys[sf::Keyboard::LShift]);
    frames(20);
    EXPECT_LT(player->Stamina, rested - 3);
    input()->buttons[0] = true;
    frames(20);
    EXPECT_FLOAT_EQ(player->throwPower[0], 0);
    tap(input()->keys[sf::Keyboard::LShift]);
    input()->buttons[0] = true;
    frames(20);
    EXPECT_GT(player->throwPower[0], 0) << "charged while held, with sprint toggled off";
    input()->buttons[0] = false;
    frame();
    EXPECT_EQ(map->grenades.size(), 1u);
}

TEST_F(PlayerWithItems, ReloadKeysEmptyOnlyAMagazineThatIsNotFull) {
    InputState* in = input();
    in->keys[sf::Keyboard::Q] = true;
    frame();
    EXPECT_FLOAT_EQ(left().getAmmo(), left().getMaxAmmo()); // full: nothing to reload
    in->keys[sf::Keyboard::Q] = false;
    frame();

    left().setAmmo(5);
    right().setAmmo(5);
    in->keys[sf::Keyboard::Q] = true;
    frame();
    EXPECT_FLOAT_EQ(left().getAmmo(), 0);
    EXPECT_FLOAT_EQ(right().getAmmo(), 5);

    left().setAmmo(5);
    frame(); // Q still held: not a new press
    EXPECT_FLOAT_EQ(left().getAmmo(), 5);
    in->keys[sf::Keyboard::Q] = false;

    in->keys[sf::Keyboard::RShift] = true;
    frame();
    EXPECT_FLOAT_EQ(left().getAmmo(), 0);
    in->keys[sf::Keyboard::RShift] = false;

    in->keys[sf::Keyboard::RControl] = true;
    frame();
    EXPECT_FLOAT_EQ(right().getAmmo(), 0);
    in->keys[sf::Keyboard::RControl] = false;
    right().setAmmo(5);
    in->keys[sf::Keyboard::E] = true;
    frame();
    EXPECT_FLOAT_EQ(right().getAmmo(), 0);
}

TEST_F(PlayerWithItems, AGrenadeIsThrownOnReleaseWithThePowerCharged) {
    for (bool semiAuto : {false, true}) {
        SCOPED_TRACE(semiAuto ? "semi-automatic" : "automatic");
        map->grenades.clear();
        auto g = grenade();
        g->setSemiAuto(semiAuto);
        hold(0, std::move(g));
        input()->buttons[0] = true;
        frames(150); // 1.5 s: up to 1500 and back down to 750
        EXPECT_TRUE(map->grenades.empty());
        EXPECT_NEAR(player->throwPower[0], 750, 20);
        EXPECT_NEAR(player->throwBar[0].value, 0.5f, 0.02f);
        EXPECT_NEAR(left().getThrowingSpeed(), player->throwPower[0], 0.01f);

        input()->buttons[0] = false;
        frame();
        ASSERT_EQ(map->grenades.size(), 1u);
        sf::Vector2f v = map->grenades[0]->velocity;
        EXPECT_NEAR(std::hypot(v.x, v.y), 750, 25);
        EXPECT_GT(v.x, 0); // toward the pointer
        EXPECT_FLOAT_EQ(player->throwPower[0], 0);
    }
}

TEST_F(PlayerWithItems, ABombOrNukeInHandIsThrownOnAClick) {
    for (int level : {1, 5, 20}) {
        for (int tries = 0; tries < 4;) {
            std::unique_ptr<Weapon> w = generateWeapon(level);
            if (w->getBasename() != "Bomb" && w->getBasename() != "Nuke")
                continue;
            ++tries;
            SCOPED_TRACE(w->getName());
            map->grenades.clear();
            hold(0, std::move(w));
            float ammo = left().getAmmo();
            input()->buttons[0] = true;
            frame();
            input()->buttons[0] = false;
            frame();
            ASSERT_EQ(map->grenades.size(), 1u);
            EXPECT_FLOAT_EQ(left().getAmmo(), ammo - 1);
        }
    }
}

TEST_F(PlayerWithItems, AChainsawIdlesUntilItsButtonIsHeld) {
    hold(1, weapon("Chainsaw"));
    sf::Sound& idle = Contenthandler::getInstance()->chainsawIdleSounds[1];
    EXPECT_EQ(idle.getStatus(), sf::Sound::Playing);
    input()->buttons[1] = true;
    frames(3);
    EXPECT_NE(idle.getStatus(), sf::Sound::Playing);
    EXPECT_GT(shotsOnMap(), 0u);
    input()->buttons[1] = false;
    frame();
    EXPECT_EQ(idle.getStatus(), sf::Sound::Playing);
    idle.stop();
}

} // namespace
