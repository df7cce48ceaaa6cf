#pragma once
// A gun or melee weapon held in one of the player's hands (and, through
// Bomb, a thrown explosive). It owns its sprite, its magazine, its fire
// cooldown, reload and swing timers and its recoil, and turns a pull of the
// trigger into shot records on the current map. Melee weapons are no
// separate mechanism: they fire a fan of short shots from the blade and swing
// their sprite. The player owns the weapons in his hands; the upgrade screen
// owns its loot until it is swapped in.

#include "items/Item.h"

#include <SFML/Graphics/Rect.hpp>
#include <SFML/Graphics/Sprite.hpp>

namespace sf {
class SoundBuffer;
}

// The columns of one weapon template.
struct WeaponStats {
    std::string basename;
    float accuracy = 1;  // 1 is perfect; lower values widen the spread
    float stability = 1; // steadiness against recoil
    float shotCount = 1; // projectiles per use
    float power = 1;     // damage per projectile
    bool semiAuto = true;
    float speed = 1;       // uses per second
    float range = 0;       // pixels
    float reloadSpeed = 1; // reloads per second
    float magazine = 1;
    bool penetrating = false;
    bool explosive = false;
    bool melee = false;
    int spriteRow = 0; // row of the weapon sheet
};

class Weapon : public Item {
  public:
    explicit Weapon(const WeaponStats& stats);

    // The weapon codes of the pending affixes, then the base pass, then the
    // stats are cut to two decimals and clamped.
    void applyAffixes() override;
    // Fires once if the cooldown has run out and a round is loaded; a pull
    // on an empty, reloading gun clicks.
    void fire(Player& player, int weaponHandling) override;
    void update(float dt, int weaponHandling) override;
    void draw() override;
    sf::FloatRect pictureBounds() const override { return sprite.getGlobalBounds(); }

    std::string getType() const override { return "weapon"; }
    sf::Color getShotColor() const override { return shotColor; }
    float getRecoil() const override { return recoil; }
    float getAccuracy() const override { return accuracy; }
    float getRange() const override { return range; }
    float getAmmo() const override { return ammo; }
    // The loaded fraction of the magazine, or the reload's progress while empty.
    float getAmmoFraction() const override;
    float getMaxAmmo() const override { return maxAmmo; }
    float getReloadSpeed() const override { return reloadSpeed; }
    float getShotCount() const override { return shotCount; }
    bool isSemiAuto() const override { return semiAuto; }
    bool isPenetrating() const override { return penetrating; }
    bool isExplosive() const override { return explosive; }
    float getHoldDistance() const override { return holdDistance; }
    float getExplosionRadius() const override { return explosionRadius; }
    bool isMelee() const override { return melee; }
    int getGfx() const override { return spriteRow; }
    bool isSwinging() const override { return swingTimer.remaining > 0; }
    bool isBulletShatter() const override { return bulletShatter; }
    bool isConcussive() const override { return concussive; }
    bool isAdrenaline() const override { return adrenaline; }
    bool isPoisoned() const override { return poisoned; }
    bool containsPoint(float x, float y) const override;
    void refill() override { ammo = maxAmmo; }
    // setAmmo(0) on a partly loaded magazine starts a reload.
    void setAmmo(float value) override { ammo = value; }
    void setTargetPosition(sf::Vector2f position) override { targetPosition = position; }
    void setAimAngle(float radians) override { angle = radians; }
    // Picks the sprite column and the sounds of this weapon's kind and binds
    // them to the hand's sound channels.
    void setHand(int value) override;
    void setPosition(sf::Vector2f position) override;
    void setSprinting(bool value) override { sprinting = value; }

    void addRecoil();
    // Strengthens a freshly copied template for the level it is found at.
    virtual void scaleToLevel(float level);
    void setShotColor(sf::Color value) { shotColor = value; }
    void setRecoil(float value) { recoil = value; }
    void setAccuracy(float value) { accuracy = value; }
    void setRange(float value) { range = value; }
    void setMaxAmmo(float value) { maxAmmo = value; }
    void setReloadSpeed(float value) { reloadSpeed = value; }
    void setShotCount(float value) { shotCount = value; }
    void setPenetrating(bool value) { penetrating = value; }
    void setExplosive(bool value) { explosive = value; }
    void setMelee(bool value) { melee = value; }
    void setExplosionRadius(float value) { explosionRadius = value; }
    // Also moves the sprite to the row, so a weapon read from a save looks like itself.
    void setGfx(int row);
    void setBulletShatter(bool value) { bulletShatter = value; }
    void setConcussive(bool value) { concussive = value; }
    void setAdrenaline(bool value) { adrenaline = value; }
    void setPoisoned(bool value) { poisoned = value; }

    const Timer& getReloadTimer() const { return reloadTimer; }
    float getAngle() const { return angle; }
    float getSwingAngle() const { return swingAngle; }
    int getHand() const { return hand; }
    sf::Vector2f getMuzzlePosition() const { return muzzlePosition; }
    const sf::Sprite& getSprite() const { return sprite; }
    const sf::SoundBuffer* getShotBuffer() const { return shotBuffer; }

  protected:
    bool canFire() const { return shotTimer.remaining <= 0 && ammo > 0; }
    // The click of a pull while the magazine reloads.
    void dryFire();
    // The spent shell thrown out to the hand's side and a puff of smoke at the breech.
    void ejectShell();
    void playReloadSound();
    // The mouse pointer in world pixels.
    static sf::Vector2f mouseInWorld();

    // The registry's buffers, which live for the whole process.
    const sf::SoundBuffer* shotBuffer = nullptr;
    const sf::SoundBuffer* reloadBuffer = nullptr;
    sf::Color shotColor{255, 255, 255, 96};
    float recoil = 0;   // 0 to 1
    float accuracy = 1; // clamped to [-10000, 1] by the affix pass
    float range = 0;
    float ammo = 0;
    float maxAmmo = 0;
    float reloadSpeed = 1;
    float explosionRadius = 0;
    // Runs from 1 down to 0 at reloadSpeed per second while a reload runs.
    Timer reloadTimer{1.0f, true, 0.0f, 1.0f};
    Timer swingTimer;
    float swingAngle = 0; // sprite rotation during a swing, degrees
    float swingRate = 0;  // degrees per second
    float shotCount = 1;
    bool penetrating = false;
    bool explosive = false;
    bool melee = false;
    float holdDistance = 42;
    float shotPitch = 1;
    sf::Vector2f muzzlePosition;
    sf::Sprite sprite;
    sf::Vector2f targetPosition;
    float angle = 0; // aim in radians, smoothed toward the pointer
    int hand = 0;    // 1 left, 0 right
    int spriteRow = 0;
    bool bulletShatter = false;
    bool concussive = false;
    bool adrenaline = false;
    bool poisoned = false;
    bool sprinting = false;

  private:
    void playShotSound();
    void spawnShot(const Player& player, float shotAngle);
    void startSwing();
    void paceReloadSound();
    void aim(float dt, float handling);
};

// The block of map tiles (column, row, width, height) a shot fired from a
// point with a range can touch, inside a grid of the given size.
sf::IntRect shotTileWindow(sf::Vector2f from, float range, int columns, int rows);

// Rotations in radians wrapped into (-3.14, 3.14], the way the aim turns.
float wrapAimTurn(float radians);
