#pragma once
// A thrown explosive held in a hand: instead of shots it throws Grenade
// entities onto the current map, which roll to a stop and explode when their
// fuse runs out. A "Grenade" is thrown with the power the player charged by
// holding the button; a "Bomb" or "Nuke" is dropped where the hand is.

#include "items/Weapon.h"

// The columns of one bomb template.
struct BombStats {
    std::string basename;
    float accuracy = 1;
    float stability = 1;
    float power = 1; // damage at the centre of the explosion
    float speed = 1; // throws per second
    float reloadSpeed = 1;
    float magazine = 1;
    float explosionRadius = 0;
    float throwingSpeed = 0; // pixels per second at the throw
    float fuse = 1;          // seconds
    float friction = 1;      // how fast it rolls to a stop
    int spriteRow = 0;
};

class Bomb : public Weapon {
  public:
    explicit Bomb(const BombStats& stats);

    // "FUS", "THR" and "FRI" here; the rest in the weapon pass.
    void applyAffixes() override;
    void fire(Player& player, int weaponHandling) override;
    std::string getType() const override { return "bombbb"; }
    float getFuse() const override { return fuse; }
    float getThrowingSpeed() const override { return throwingSpeed; }
    float getFriction() const override { return friction; }
    // The player feeds the charged throw power in every frame while charging.
    void setThrowingSpeed(float value) override { throwingSpeed = value; }
    void scaleToLevel(float level) override;
    void setFuse(float value) { fuse = value; }
    void setFriction(float value) { friction = value; }

    // The grenade sprite frame a bomb of this base name throws.
    static int grenadeKind(const std::string& basename);

  private:
    float throwingSpeed = 0;
    float fuse = 1;
    float friction = 1;
};
