#pragma once
// Everything the player can hold or wear: a base type plus the affixes rolled
// for it. Every item answers the whole stat interface (plain items with
// neutral values), so the player, the screens and the save file treat guns,
// bombs and armour alike. Items are owned by whoever holds them: the player's
// hands and armour slot, the upgrade screen's loot slots, the template lists.

#include "core/Timer.h"
#include "items/Affix.h"

#include <SFML/Graphics/Color.hpp>
#include <SFML/Graphics/Rect.hpp>
#include <SFML/System/Vector2.hpp>

#include <string>
#include <vector>

class Player;

class Item {
  public:
    Item() = default;
    Item(const Item&) = default;
    Item& operator=(const Item&) = default;
    virtual ~Item() = default;

    // Applies the pending affixes to the stats, the name and the rarity, then
    // empties the list; a second call changes nothing.
    virtual void applyAffixes();
    virtual void fire(Player& player, int weaponHandling);
    // Drains the fire cooldown by speed per second.
    virtual void update(float dt, int weaponHandling);
    virtual void draw();
    // Where draw() may paint, in world units; empty for items drawn as nothing.
    virtual sf::FloatRect pictureBounds() const { return {}; }

    virtual float getPower() const { return power; }
    virtual float getStability() const { return stability; }
    virtual float getSpeed() const { return speed; }
    // The save file's type tag: "item", "weapon", "bombbb" or "Armorr:".
    virtual std::string getType() const { return "item"; }
    virtual sf::Color getShotColor() const { return sf::Color(255, 0, 0, 255); }
    virtual float getFuse() const { return 1.0f; }
    virtual float getThrowingSpeed() const { return 1.0f; }
    virtual float getFriction() const { return 1.0f; }
    virtual float getRecoil() const { return 1.0f; }
    virtual float getAccuracy() const { return 1.0f; }
    virtual float getRange() const { return 1.0f; }
    virtual float getAmmo() const { return 1.0f; }
    virtual float getAmmoFraction() const { return 1.0f; }
    virtual float getMaxAmmo() const { return 1.0f; }
    virtual float getReloadSpeed() const { return 1.0f; }
    virtual float getShotCount() const { return 1.0f; }
    virtual bool isSemiAuto() const { return false; }
    virtual bool isPenetrating() const { return false; }
    virtual bool isExplosive() const { return false; }
    virtual float getHoldDistance() const { return 1.0f; }
    virtual float getExplosionRadius() const { return 1.0f; }
    virtual float getRarity() const { return rarity; }
    virtual float getBonusHP() const { return 0.0f; }
    virtual bool isMelee() const { return false; }
    virtual float getUnitFactor() const { return 1.0f; }
    virtual int getGfx() const { return 1; }
    virtual Timer getShotTimer() const { return shotTimer; }
    virtual bool isSwinging() const { return false; }
    virtual bool isBulletShatter() const { return false; }
    virtual bool isConcussive() const { return false; }
    virtual bool isAdrenaline() const { return false; }
    virtual bool isPoisoned() const { return false; }

    virtual void setName(const std::string& value) { name = value; }
    virtual bool containsPoint(float, float) const { return false; }
    virtual void setPower(float value) { power = value; }
    virtual void setStability(float value) { stability = value; }
    virtual void setSpeed(float value) { speed = value; }
    virtual void setSemiAuto(bool value) { semiAuto = value; }
    virtual void setBasename(const std::string& value) { basename = value; }
    virtual void setRarity(float value) { rarity = value; }
    virtual void refill() {}
    virtual void setThrowingSpeed(float) {}
    virtual void setAmmo(float) {}
    // Where the holding hand wants the item this frame.
    virtual void setTargetPosition(sf::Vector2f) {}
    virtual void setAimAngle(float) {}
    // 1 for the left hand, 0 for the right hand.
    virtual void setHand(int) {}
    // Puts a held item straight at a point (the player's start position).
    virtual void setPosition(sf::Vector2f) {}
    // Whether the holder is sprinting this frame; a sprinting player points
    // his guns at the ground.
    virtual void setSprinting(bool) {}

    std::string getName() const { return name; }
    std::string getBasename() const { return basename; }
    // Queues an affix for applyAffixes.
    void addAffix(const Affix& affix) { affixes.push_back(affix); }
    const std::vector<Affix>& pendingAffixes() const { return affixes; }

  protected:
    Timer shotTimer{0, true, 0, 0};
    float power = 999999.0f; // damage per hit; the armour rating for armour
    bool semiAuto = true;    // fires once per click
    float stability = 1.0f;
    float speed = 1.0f; // shots per second; the movement factor for armour
    std::string name;
    std::string basename; // the base type, never changed by affixes
    float rarity = 0.0f;  // sum of the points of every affix applied
    std::vector<Affix> affixes;
};
