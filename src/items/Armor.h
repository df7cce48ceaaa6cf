#pragma once
// Worn armour: its power is the armour rating the player takes when hit, its
// speed multiplies the player's movement, and its bonusHP adds to his
// maximum hit points. The player owns the worn piece in his armour slot.

#include "items/Item.h"

class Armor : public Item {
  public:
    Armor(const std::string& baseType, float rating, float steadiness, float movement, float extraHP);

    // "HP+" affixes scale the bonus hit points and "STB" ones the stability;
    // the rest go to the base pass.
    void applyAffixes() override;
    std::string getType() const override { return "Armorr:"; }
    float getBonusHP() const override { return bonusHP; }

    // Raises the rating with the level and lets the weight lighten a little,
    // never beyond a movement factor of 1.
    virtual void scaleToLevel(float level);
    virtual void setBonusHP(float value) { bonusHP = value; }

  private:
    float bonusHP = 0;
};
