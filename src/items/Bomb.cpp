#include "items/Bomb.h"

#include "actors/Grenade.h"
#include "actors/Player.h"
#include "core/Random.h"
#include "items/LevelScaling.h"
#include "world/Map.h"
#include "world/Maphandler.h"

#include <algorithm>
#include <cmath>
#include <memory>

namespace {

WeaponStats weaponStatsOf(const BombStats& stats) {
    WeaponStats w;
    w.basename = stats.basename;
    w.accuracy = stats.accuracy;
    w.stability = stats.stability;
    w.shotCount = 1;
    w.power = stats.power;
    w.semiAuto = true;
    w.speed = stats.speed;
    w.range = 0;
    w.reloadSpeed = stats.reloadSpeed;
    w.magazine = stats.magazine;
    w.penetrating = false;
    w.explosive = true;
    w.melee = false;
    w.spriteRow = stats.spriteRow;
    return w;
}

} // namespace

Bomb::Bomb(const BombStats& stats)
    : Weapon(weaponStatsOf(stats)), throwingSpeed(stats.throwingSpeed), fuse(stats.fuse),
      friction(stats.friction) {
    explosionRadius = stats.explosionRadius;
    reloadTimer.remaining = -0.1f;
}

int Bomb::grenadeKind(const std::string& basename) {
    if (basename == "Bomb")
        return 2;
    if (basename == "Nuke")
        return 3;
    return 0;
}

void Bomb::applyAffixes() {
    for (const Affix& affix : affixes) {
        if (affix.code == "FUS") {
            fuse *= affix.value;
            rarity += affix.points;
        } else if (affix.code == "THR") {
            throwingSpeed *= affix.value;
            rarity += affix.points;
        } else if (affix.code == "FRI") {
            friction *= affix.value;
            rarity += affix.points;
        }
    }
    Weapon::applyAffixes();
}

void Bomb::scaleToLevel(float level) {
    LevelSteps steps(level);
    explosionRadius += static_cast<float>(randInt(0, steps.whole)) * explosionRadius * 0.025f;
    power += static_cast<float>(randInt(0, steps.whole)) * power * 0.025f;
    Weapon::scaleToLevel(level);
}

void Bomb::fire(Player& player, int weaponHandling) {
    if (!canFire()) {
        dryFire();
        return;
    }
    sf::Vector2f toPointer = mouseInWorld() - player.position;
    float throwAngle = std::atan2(toPointer.y, toPointer.x);
    if (throwAngle < 0)
        throwAngle += 6.28302f;
    shotTimer.remaining = shotTimer.previous = shotTimer.duration;
    float kind = static_cast<float>(grenadeKind(basename));
    if (Map* map = Maphandler::getInstance()->currentMap()) {
        sf::Vector2f from = sprite.getPosition();
        for (int i = 0; static_cast<float>(i) < shotCount; ++i) {
            auto grenade = std::make_unique<Grenade>(from, power, throwAngle, explosionRadius, throwingSpeed,
                                                     fuse, friction, kind);
            grenade->source = {HitSource::By::player, HitSource::With::grenade, basename};
            map->grenades.push_back(std::move(grenade));
        }
    }
    ammo -= 1;
    float handling = static_cast<float>(std::max(weaponHandling, 0));
    float steadiness = std::max(stability, 0.01f);
    float kicked = recoil + (1 / steadiness) * 0.1f * std::sqrt(power * shotCount) / std::sqrt(handling + 1);
    // std::clamp passes NaN through, and a NaN recoil would stay for good.
    recoil = std::isnan(kicked) ? 0.0f : std::clamp(kicked, 0.0f, 1.0f);
    if (basename != "Grenade")
        ejectShell();
}
