#pragma once
// The screen between levels: the player spends stat points, compares three
// freshly rolled loot items with what he holds and swaps them into his hands
// or armour slot, rerolls the loot for upgrade points, saves the run and
// continues to the next level. A singleton re-entered after every level.
//
// The screen owns its loot. An item swapped into the player's inventory
// belongs to the player from then on; the item it replaces becomes loot and
// can be swapped back. Loot left behind is freed when it is rerolled, when
// the player continues and when the screen is entered for the next level.

#include "app/MenuState.h"
#include "core/Singleton.h"
#include "screens/InfoPanel.h"

#include <SFML/Graphics/Rect.hpp>
#include <SFML/Graphics/Sprite.hpp>
#include <SFML/Graphics/Text.hpp>

#include <memory>
#include <string>

class Item;
class Player;

class UpgradeState : public MenuState, public Singleton<UpgradeState> {
    friend class Singleton<UpgradeState>;

  public:
    ~UpgradeState() override;

    // A visit starts when the screen is changed or pushed to and ends when it
    // leaves the stack. Uncovering it (a help overlay or the door wipe
    // closing above it) is no new visit: the loot and the reroll cost stay.
    void onEnter() override;
    void onExit() override;
    void update(float dt) override;
    // The frozen level behind, the buttons, the texts, and the panel of the hovered loot slot.
    void draw() override;

    // The screen's actions, one per button.
    //
    // Rolls two weapons and an armour for the current level, freeing the old loot.
    void rollLoot();
    bool canReroll() const;
    // Fresh loot for rerollCost upgrade points; each reroll doubles the cost.
    void reroll();
    // Exchanges loot slot 0 or 1 with hand 0 (left) or 1 (right), or slot 2
    // with the worn armour (inventory entry 2). Refused (false) for any other
    // pairing and for an empty loot slot, so a swap never empties a hand.
    bool swapLoot(int slot, int inventoryIndex);
    // Spends one stat point on the given stat of the player; refused without points.
    bool spendStatPoint(int Player::*stat);
    // Writes the "save" file; the save button says whether it worked.
    void saveRun();

    // The loot slot under the mouse this frame, or -1.
    int hoveredSlot() const { return hovered; }
    const InfoPanel& infoPanel() const { return panel; }

    static constexpr int firstRerollCost = 1000;

    std::unique_ptr<Item>
        loot[3]; // [0] and [1] weapons, [2] armour; a slot is empty after swapping in an empty hand
    int rerollCost = firstRerollCost;
    // The offers rolled on this visit so far: a seeded run draws each from its own stream.
    int offerRound = 0;
    bool showInfo = false;

    sf::Text fixedLabels[5]; // "Inventory", "Left Hand", "Right Hand", "Armour", "Loot:"
    sf::Text lootNames[3];
    sf::Text heldNames[3]; // left hand, right hand, armour
    // What lootNames, then heldNames, were last laid out from.
    std::string laidOutFrom[6];
    sf::Text statTexts[6]; // stat points, experience, HP, stamina, taser, weapon handling
    sf::Text rerollPointsText;
    sf::Text costText;
    sf::Text levelText;
    sf::Text scoreText;
    sf::Text hintText; // how the loot slots are clicked
    sf::IntRect slotRects[3];
    sf::Vector2f statAnchor{340, 380};
    sf::RectangleShape boxes[3]; // the stat, inventory and points columns

  private:
    UpgradeState();
    void updateTexts();
    void updateHover();
    void drawBackdrop();
    void fillPanel(int slot);
    // Where the save button's labels are; it says "Game Saved" or "Save failed".
    std::size_t saveButton = 0;

    InfoPanel panel;
    sf::Sprite lootIcons[3];
    sf::Sprite heldIcons[3];
    bool visiting = false;
    int hovered = -1;
};
