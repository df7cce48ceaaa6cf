#include "screens/UpgradeState.h"

#include "actors/Player.h"
#include "app/GameStateHandler.h"
#include "core/Globals.h"
#include "core/InputState.h"
#include "core/Settings.h"
#include "items/AffixTables.h"
#include "items/Armor.h"
#include "items/Weapon.h"
#include "persistence/SaveGame.h"
#include "screens/Ingame.h"
#include "screens/IntermissionState.h"
#include "screens/LevelFlow.h"
#include "screens/OverlayUpgradeState.h"
#include "support/RunDirFile.h"
#include "world/Maphandler.h"
#include "world/Score.h"

#include <SFML/Window/Keyboard.hpp>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

namespace {

// An item that counts its own destruction, to see loot being freed.
int freedItems = 0;
class CountedItem : public Item {
  public:
    ~CountedItem() override { ++freedItems; }
};

// A state to cover the upgrade screen with, like the help or the door wipe.
class CoverState : public GameState {
  public:
    void update(float) override {}
    void draw() override {}
};

enum ButtonIndex {
    lootLeft,
    lootMiddle,
    lootArmour,
    continueButton,
    rerollButton,
    saveButton,
    healthPlus,
    staminaPlus,
    taserPlus,
    handlingPlus,
    helpButton
};

class UpgradeStateTest : public ::testing::Test {
  protected:
    void SetUp() override {
        buildAffixTables();
        Maphandler::getInstance(); // its first level, made on creation, would reset the level number
        levelNumber = 1;           // the starting kit: two pistols and a kevlar vest
        player = Player::getInstance();
        player->resetForLevel(true);
        levelNumber = 4;
        upgradePoints = 0;
        showUpgradeHelpOnce = false;
        handler = GameStateHandler::getInstance();
        savedStack = handler->states;
        handler->states.clear();
        screen = UpgradeState::getInstance();
        std::srand(11);
        screen->rollLoot();
        screen->rerollCost = UpgradeState::firstRerollCost;
        freedItems = 0;
    }
    void TearDown() override {
        handler->states = savedStack;
        screen->onExit();
        levelNumber = 1;
        player->resetForLevel(true);
        showUpgradeHelpOnce = false;
        setMouse({0, 0});
    }
    void setMouse(sf::Vector2i at) {
        InputState* input = InputState::getInstance();
        input->previousMouse = input->mouse = at;
        for (int b = 0; b < 3; ++b)
            input->buttons[b] = input->previousButtons[b] = false;
    }
    // A click of the given mouse button on a loot slot: released over it this frame.
    void clickSlot(int slot, int button) {
        sf::IntRect r = screen->slotRects[slot];
        setMouse({r.left + r.width / 2, r.top + r.height / 2});
        InputState::getInstance()->previousButtons[button] = true;
        screen->update(0.01f);
        setMouse({r.left + r.width / 2, r.top + r.height / 2});
    }
    // Puts counted items in every loot slot.
    void plantCountedLoot() {
        for (std::unique_ptr<Item>& item : screen->loot)
            item = std::make_unique<CountedItem>();
    }
    bool enabled(ButtonIndex b) { return screen->buttons[b].isEnabled(); }

    Player* player = nullptr;
    GameStateHandler* handler = nullptr;
    UpgradeState* screen = nullptr;
    std::vector<GameState*> savedStack;
};

TEST_F(UpgradeStateTest, ARerollCostsItsPriceFreesTheOldLootAndIsRefusedWhenPointsRunOut) {
    upgradePoints = 2500;
    plantCountedLoot();
    screen->reroll();
    EXPECT_EQ(freedItems, 3);
    EXPECT_NE(dynamic_cast<Weapon*>(screen->loot[0].get()), nullptr);
    EXPECT_NE(dynamic_cast<Weapon*>(screen->loot[1].get()), nullptr);
    EXPECT_NE(dynamic_cast<Armor*>(screen->loot[2].get()), nullptr);
    EXPECT_EQ(upgradePoints, 1500);
    EXPECT_EQ(screen->rerollCost, 2000);

    plantCountedLoot();
    screen->update(0.01f);
    EXPECT_FALSE(enabled(rerollButton));
    screen->reroll();
    EXPECT_EQ(freedItems, 3) << "the loot stays";
    EXPECT_EQ(upgradePoints, 1500);
    EXPECT_EQ(screen->rerollCost, 2000);
}

TEST_F(UpgradeStateTest, TheLeftButtonSwapsIntoTheLeftHandTheRightIntoTheRightAndArmourIsWorn) {
    for (int slot : {0, 1})
        for (int hand : {0, 1}) {
            Item* offered = screen->loot[slot].get();
            Item* held = player->inventory[static_cast<std::size_t>(hand)].get();
            clickSlot(slot, hand);
            EXPECT_EQ(player->inventory[static_cast<std::size_t>(hand)].get(), offered) << slot << hand;
            EXPECT_EQ(screen->loot[slot].get(), held) << slot << hand;
        }
    Item* armour = screen->loot[2].get();
    Item* worn = player->inventory[2].get();
    clickSlot(2, 1);
    EXPECT_EQ(player->inventory[2].get(), worn) << "a right click wears nothing";
    clickSlot(2, 0);
    EXPECT_EQ(player->inventory[2].get(), armour);
    EXPECT_EQ(screen->loot[2].get(), worn);
}

TEST_F(UpgradeStateTest, AVisitRollsLootOnceAndLeavingFreesWhatIsLeft) {
    handler->changeState(screen);
    ASSERT_TRUE(screen->loot[0] && screen->loot[1] && screen->loot[2]);
    upgradePoints = 5000;
    screen->reroll();
    plantCountedLoot();

    // The help overlay or the door wipe covering the screen and going again is no new visit.
    CoverState cover;
    handler->pushState(&cover);
    handler->popState();
    EXPECT_EQ(freedItems, 0) << "uncovering keeps the loot";
    EXPECT_EQ(screen->rerollCost, 2000) << "and the reroll cost";
    EXPECT_TRUE(dynamic_cast<CountedItem*>(screen->loot[0].get()));

    handler->popState();
    EXPECT_EQ(freedItems, 3) << "loot left behind is freed";
    for (const std::unique_ptr<Item>& item : screen->loot)
        EXPECT_FALSE(item);

    // The next level's visit starts over.
    handler->changeState(screen);
    EXPECT_EQ(screen->rerollCost, 1000);
    EXPECT_TRUE(screen->loot[0] && screen->loot[1] && screen->loot[2]);
    handler->popState();
}

TEST_F(UpgradeStateTest, SwappingASlotTwiceRestoresTheFirstArrangement) {
    Item* heldLeft = player->inventory[0].get();
    Item* heldRight = player->inventory[1].get();
    Item* offered = screen->loot[0].get();

    ASSERT_TRUE(screen->swapLoot(0, 0));
    EXPECT_EQ(player->inventory[0].get(), offered);
    EXPECT_EQ(screen->loot[0].get(), heldLeft) << "the pistol waits on the table";
    EXPECT_EQ(static_cast<Weapon*>(offered)->getHand(), 1) << "the new weapon knows it is in the left hand";
    ASSERT_TRUE(screen->swapLoot(0, 0));
    EXPECT_EQ(player->inventory[0].get(), heldLeft);
    EXPECT_EQ(screen->loot[0].get(), offered);

    ASSERT_TRUE(screen->swapLoot(1, 1));
    EXPECT_EQ(static_cast<Weapon*>(player->inventory[1].get())->getHand(), 0);
    ASSERT_TRUE(screen->swapLoot(1, 1));
    EXPECT_EQ(player->inventory[1].get(), heldRight);
}

TEST_F(UpgradeStateTest, WearingArmourRecomputesAndRefillsThePools) {
    player->Health = 2;
    player->HP = 1;
    screen->loot[2] = std::make_unique<Armor>("Platemail", 8, 0, 0.6f, 60);
    ASSERT_TRUE(screen->swapLoot(2, 2));
    EXPECT_FLOAT_EQ(player->MaxHP, 60 + 35 * 2 + 100);
    EXPECT_FLOAT_EQ(player->HP, player->MaxHP);
    EXPECT_EQ(screen->loot[2]->getBasename(), "Kevlar vest");
    ASSERT_TRUE(screen->swapLoot(2, 2));
    EXPECT_FLOAT_EQ(player->MaxHP, 20 + 35 * 2 + 100);
}

TEST_F(UpgradeStateTest, SwapsThatWouldBreakTheInventoryAreRefused) {
    Item* heldLeft = player->inventory[0].get();
    Item* worn = player->inventory[2].get();
    EXPECT_FALSE(screen->swapLoot(0, 2)) << "a weapon is not worn";
    EXPECT_FALSE(screen->swapLoot(2, 0)) << "armour is not held";
    EXPECT_FALSE(screen->swapLoot(3, 0));
    EXPECT_FALSE(screen->swapLoot(-1, 1));
    EXPECT_FALSE(screen->swapLoot(1, 3));
    EXPECT_EQ(player->inventory[0].get(), heldLeft);
    EXPECT_EQ(player->inventory[2].get(), worn);

    screen->loot[1].reset();
    EXPECT_FALSE(screen->swapLoot(1, 0)) << "an empty slot never empties a hand";
    EXPECT_EQ(player->inventory[0].get(), heldLeft);

    // An inventory short of its armour slot is completed rather than overrun.
    player->inventory.resize(2);
    Item* offered = screen->loot[2].get();
    ASSERT_TRUE(screen->swapLoot(2, 2));
    ASSERT_EQ(player->inventory.size(), 3u);
    EXPECT_EQ(player->inventory[2].get(), offered);
    EXPECT_FALSE(screen->loot[2]);
    EXPECT_FALSE(screen->swapLoot(2, 2));
}

TEST_F(UpgradeStateTest, StatPointsRaiseStatsAndRefillTheirPools) {
    player->Statpoints = 2;
    player->HP = 5;
    player->Stamina = 1;
    ASSERT_TRUE(enabled(healthPlus));
    EXPECT_TRUE(screen->spendStatPoint(&Player::Health));
    EXPECT_EQ(player->Health, 1);
    EXPECT_FLOAT_EQ(player->MaxHP, 20 + 35 + 100);
    EXPECT_FLOAT_EQ(player->HP, player->MaxHP);
    EXPECT_TRUE(screen->spendStatPoint(&Player::StaminaStat));
    EXPECT_FLOAT_EQ(player->MaxStamina, (5 + 50) * 2);
    EXPECT_FLOAT_EQ(player->Stamina, player->MaxStamina);

    EXPECT_EQ(player->Statpoints, 0);
    EXPECT_FALSE(screen->spendStatPoint(&Player::Grapple));
    EXPECT_EQ(player->Grapple, 0);
    for (ButtonIndex b : {healthPlus, staminaPlus, taserPlus, handlingPlus})
        EXPECT_FALSE(enabled(b));
}

TEST_F(UpgradeStateTest, HoveringALootSlotOpensItsPanelOnScreen) {
    for (int s = 0; s < 3; ++s) {
        sf::IntRect slot = screen->slotRects[s];
        setMouse({slot.left + slot.width / 2, slot.top + slot.height / 2});
        screen->update(0.01f);
        EXPECT_TRUE(screen->showInfo);
        EXPECT_EQ(screen->hoveredSlot(), s);
        sf::FloatRect box = screen->infoPanel().box();
        EXPECT_GE(box.left, 0);
        EXPECT_LE(box.left + box.width, 1920);
        EXPECT_GE(box.top, 0);
        EXPECT_LE(box.top + box.height, static_cast<float>(slot.top)) << "the panel leaves the slot visible";
        // Headings first: Choice, Left, Right for weapons; Choice, Equipped for the armour.
        EXPECT_EQ(screen->infoPanel().texts()[0].getString(), "Choice");
        EXPECT_EQ(screen->infoPanel().texts()[1].getString(), s == 2 ? "Equipped" : "Left");
    }
    setMouse({5, 5});
    screen->update(0.01f);
    EXPECT_FALSE(screen->showInfo);
    EXPECT_EQ(screen->hoveredSlot(), -1);
}

TEST_F(UpgradeStateTest, TheSaveButtonSaysWhetherTheSaveWasWritten) {
    RunDirFile save{savePath("save")};
    screen->saveRun();
    EXPECT_EQ(screen->buttons[saveButton].altLabel.getString(), "Game Saved");
    std::optional<SaveData> written = readSaveFile(save.path);
    ASSERT_TRUE(written);
    EXPECT_EQ(written->difficulty, 4);

    // A folder where the file goes: the write fails, even for root.
    std::filesystem::remove(save.path);
    std::filesystem::create_directories(std::filesystem::path(save.path) / "taken");
    screen->saveRun();
    EXPECT_EQ(screen->buttons[saveButton].altLabel.getString(), "Save failed");
}

TEST_F(UpgradeStateTest, TheHelpOpensOnTheFirstVisitAndClosesBackToTheSameLoot) {
    showUpgradeHelpOnce = true;
    handler->changeState(screen);
    ASSERT_EQ(handler->top(), OverlayUpgradeState::getInstance());
    Item* offered = screen->loot[0].get();
    handler->top()->update(0.01f);
    EXPECT_FALSE(showUpgradeHelpOnce) << "seen once, it no longer opens by itself";

    InputState* input = InputState::getInstance();
    input->keys[sf::Keyboard::Escape] = true;
    input->previousKeys[sf::Keyboard::Escape] = false;
    handler->top()->handleInput();
    input->keys[sf::Keyboard::Escape] = input->previousKeys[sf::Keyboard::Escape] = false;
    ASSERT_EQ(handler->top(), screen);
    EXPECT_EQ(screen->loot[0].get(), offered);

    handler->popState();
    handler->changeState(screen);
    EXPECT_EQ(handler->top(), screen) << "the next visit goes straight to the screen";
    handler->popState();
}

TEST_F(UpgradeStateTest, ContinueStartsTheNextLargerLevelBehindTheDoors) {
    handler->states = {Ingame::getInstance()};
    handler->pushState(screen);
    plantCountedLoot();
    player->dead = true;
    std::srand(5);
    enterNextLevel();

    EXPECT_EQ(levelNumber, 5);
    EXPECT_EQ(freedItems, 3) << "loot left on the table is freed";
    ASSERT_EQ(handler->states.size(), 2u);
    EXPECT_EQ(handler->states[0], IntermissionState::getInstance());
    EXPECT_EQ(handler->states[1], Ingame::getInstance());
    Map* map = Maphandler::getInstance()->currentMap();
    ASSERT_NE(map, nullptr);
    EXPECT_GE(map->columns(), 50 + 5) << "sized for level 5";
    EXPECT_FALSE(player->dead);
    handler->states.clear();
}

} // namespace
