#pragma once
// The one actor the user controls. A singleton that outlives maps: each new
// level resets and places it again. It walks with normalised input, sprints
// on stamina, aims at the mouse, uses the item in each hand with the mouse
// button of that hand, takes hits with a short invulnerability softened by
// the worn armour, and gains levels and stat points from experience.

#include "actors/Tazer.h"
#include "core/Singleton.h"
#include "core/StatBar.h"
#include "items/Item.h"
#include "world/Mapentity.h"

#include <array>
#include <memory>
#include <vector>

class Map;

class Player : public Mapentity, public Singleton<Player> {
    friend class Singleton<Player>;

  public:
    ~Player() override;

    void update(float dt) override;
    void draw() override;
    // Where draw() may paint this frame, in world units: the body, the hand
    // items and the bars above and below him.
    sf::FloatRect pictureBounds() const;
    void takeDamage(float amount, sf::Vector2f from) override;
    // Reports the health lost and its source, and remembers the source as the last hit.
    void takeHit(float amount, sf::Vector2f from, const HitSource& source) override;

    // A run begins ("New Game" or a loaded save) with the player a fresh
    // process has, its three slots empty for the run to fill: nothing of the
    // run played before carries over, so a recording of this one replays the
    // same in any process.
    void startRun();
    // Clears death, invulnerability and motion and refills both hands; a
    // full reset also starts the character over, and the first level hands
    // out the plain starting equipment. Recomputes the derived pools.
    void resetForLevel(bool fullReset);
    // Puts the player on a street tile far from the brainwash machine.
    void placeAtStart(const Map& map);
    // Brings the hand items to the player and tells each which hand holds
    // it; needed whenever a hand's item has been replaced.
    void equipHands();

    // One frame of the sprint rule: Left Shift with a movement key spends
    // stamina; an emptied pool locks sprinting until it refills above 10.
    // Sets the friction that decides the top speed.
    void updateStamina(bool sprintHeld, float dt);
    // Adds this frame's movement keys; the sum is normalised before it accelerates.
    void applyMoveInput(sf::Vector2f input, float dt);
    // Raises levels while the experience is above the threshold.
    void levelUp();
    // One frame of a hand's grenade throw charge: the power swings between 0
    // and 1500 once per second each way while charging, and drops to 0 otherwise.
    void chargeThrow(int hand, bool charging, float dt);
    // MaxHP/HP and MaxStamina/Stamina from the stats and the worn armour.
    void recomputePools();
    // The speed factor from the stamina stat and the worn armour.
    float speedFactor() const;

    // The armour slot's item, or null while nothing is worn.
    const Item* wornArmour() const { return inventory.size() > 2 ? inventory[2].get() : nullptr; }

    // Whether the hand's item is being used this frame (its button held, or
    // toggled on when that hand's fire toggles), and whether it was the frame
    // before. A grenade always goes by its button: it is charged while held
    // and thrown on release.
    bool useHeld(int hand) const;
    bool useWasHeld(int hand) const;
    // Sprint held, or toggled on when sprint toggles.
    bool sprintHeld() const;

    // Angle from the mouse to the player on screen, in [0, 6.28302).
    static float aimAngleFrom(sf::Vector2f playerOnScreen, sf::Vector2f mouseOnScreen);

    // [0] left hand, [1] right hand, [2] worn armour; a slot may be empty.
    std::vector<std::unique_ptr<Item>> inventory;
    Tazer taser; // always carried, fired with the middle mouse button
    float throwPower[2] = {0, 0};
    float throwPowerRate[2] = {0, 0};
    StatBar throwBar[2];
    StatBar invulnerabilityBar;
    sf::Vector2f moveInput;
    bool canSprint = true;
    float MaxStamina = 100;
    float Stamina = 100;
    float hitInvulnerability = 0.5f;
    float invulnerabilityTimer = 0.5f;
    int Level = 0;
    int Statpoints = 0;
    int XP = 0;
    int XPneeded = 1600;
    int Weaponhandle = 0;
    int StaminaStat = 0;
    int Grapple = 0;
    int Health = 0;
    bool showInvulnerabilityBar = false;
    float aimAngle = 0; // radians, towards which the hands point
    // The toggles' states, flipped by each press while the setting toggles;
    // off again for every level and whenever the setting holds.
    bool sprintLatched = false;
    std::array<bool, 2> useLatched = {false, false};
    std::array<bool, 2> useWasLatched = {false, false};

    // The source of the last hit that hurt him, which his death reports.
    HitSource lastHit{};

  private:
    Player();
    void move(float dt);
    // This frame's presses flip the toggles.
    void latchToggles();
    // Left Shift with a movement key, whether or not stamina allows a sprint.
    bool sprintKeysHeld() const;
    bool sprintingNow() const { return canSprint && sprintKeysHeld(); }
    // The item in hand 0 (left) or 1 (right), or null for an empty hand.
    Item* handItem(int h) const;
    void chargeThrows(float dt);
    void reloadOnKeys();
    // Each item's own update, then where the hand holds it.
    void holdItems(float dt);
    void fireHands();
};
