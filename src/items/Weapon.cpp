#include "items/Weapon.h"

#include "actors/Player.h"
#include "actors/Shot.h"
#include "core/Camera.h"
#include "core/Contenthandler.h"
#include "core/InputState.h"
#include "core/Random.h"
#include "core/Settings.h"
#include "effects/Particlehandler.h"
#include "items/LevelScaling.h"
#include "world/Map.h"
#include "world/Maphandler.h"

#include <SFML/Graphics/RenderWindow.hpp>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <initializer_list>

namespace {

// The flash grows with the gun's punch, from a pistol's spark to a rail gun's flare.
float flashSize(float power) {
    return std::clamp(0.5f + 0.1f * std::sqrt(std::max(power, 0.0f)), 0.6f, 2.0f);
}

// A channel change is computed in floating point, truncated toward zero and
// kept as its low eight bits, so a tint can wrap round past zero.
sf::Uint8 shiftChannel(sf::Uint8 channel, float change) {
    float shifted = static_cast<float>(channel) + change;
    if (!std::isfinite(shifted))
        return channel;
    return static_cast<sf::Uint8>(static_cast<long long>(std::fmod(std::trunc(shifted), 256.0f)) & 0xFF);
}

float truncateToHundredths(float x) {
    return std::trunc(x * 100.0f) / 100.0f;
}

float clampRecoil(float x) {
    return std::isnan(x) ? 0.0f : std::clamp(x, 0.0f, 1.0f);
}

// The weapon-handling stat as the formulas use it; a negative stat from a
// damaged save would take square roots of negative numbers.
float handlingOf(int weaponHandling) {
    return static_cast<float>(std::max(weaponHandling, 0));
}

// Stability divides recoil; a broken zero must not turn one shot into infinite kick.
float steadiness(float stability) {
    return std::max(stability, 0.01f);
}

// A spread bound, kept inside int for any accuracy a save file may hold.
int spreadBound(float x) {
    return static_cast<int>(std::clamp(std::trunc(x), -1.0e6f, 1.0e6f));
}

bool isOneOf(const std::string& name, std::initializer_list<const char*> names) {
    return std::any_of(names.begin(), names.end(), [&](const char* n) { return name == n; });
}

// The shot and reload sounds of each kind of weapon; every other name (the
// bombs) gets the last pair.
struct SoundGroup {
    std::initializer_list<const char*> names;
    sf::SoundBuffer Contenthandler::*shot;
    sf::SoundBuffer Contenthandler::*reload;
};

const SoundGroup soundGroups[] = {
    {{"9mm pistol", "Flintlock Pistol", "SMG", ".44 Magnum"},
     &Contenthandler::pistolBuffer,
     &Contenthandler::pistolReloadBuffer},
    {{"PumpAction Shotgun", "Jackhammer", "Supershotgun"},
     &Contenthandler::shotgunBuffer,
     &Contenthandler::shotgunReloadBuffer},
    {{"Hunting Rifle"}, &Contenthandler::magnumBuffer, &Contenthandler::rifleReloadBuffer},
    {{"Assault Rifle"}, &Contenthandler::rifleBuffer, &Contenthandler::rifleReloadBuffer},
    {{"Machine Gun"}, &Contenthandler::machineGunBuffer, &Contenthandler::mp5ReloadBuffer},
    {{"Musket"}, &Contenthandler::musketFireBuffer, &Contenthandler::magnumReloadBuffer},
    {{"Knife", "Fire Axe", "Flamberge"}, &Contenthandler::knifeBuffer, &Contenthandler::magnumReloadBuffer},
    {{"Katana"}, &Contenthandler::knifeBuffer, &Contenthandler::mp5ReloadBuffer},
    {{"Rail Gun"}, &Contenthandler::railgunBuffer, &Contenthandler::railgunReloadBuffer},
    {{"Chainsaw"}, &Contenthandler::chainsawUseBuffer, &Contenthandler::chainsawReloadBuffer},
};
const SoundGroup defaultSounds = {{}, &Contenthandler::knifeBuffer, &Contenthandler::magnumReloadBuffer};

const SoundGroup& soundGroupOf(const std::string& basename) {
    for (const SoundGroup& group : soundGroups)
        if (isOneOf(basename, group.names))
            return group;
    return defaultSounds;
}

void bindBuffer(sf::Sound& channel, const sf::SoundBuffer* buffer) {
    if (buffer && channel.getBuffer() != buffer)
        channel.setBuffer(*buffer);
}

} // namespace

sf::IntRect shotTileWindow(sf::Vector2f from, float range, int columns, int rows) {
    if (columns <= 0 || rows <= 0)
        return {};
    // The muzzle sits up to a hold distance and a barrel away from the player.
    float reach = std::isfinite(range) ? std::clamp(range, 0.0f, 1.0e7f) + 128.0f : 1.0e7f;
    auto span = [reach](float centre, int count, int& first, int& size) {
        float c = std::isfinite(centre) ? std::clamp(centre, -1.0e7f, 1.0e7f) : 0.0f;
        int low = std::clamp(static_cast<int>(std::floor((c - reach) / 64.0f)), 0, count - 1);
        int high = std::clamp(static_cast<int>(std::floor((c + reach) / 64.0f)), 0, count - 1);
        first = low;
        size = high - low + 1;
    };
    sf::IntRect window;
    span(from.x, columns, window.left, window.width);
    span(from.y, rows, window.top, window.height);
    return window;
}

float wrapAimTurn(float radians) {
    if (!std::isfinite(radians))
        return 0.0f;
    if (std::abs(radians) > 100.0f)
        radians = std::fmod(radians, 6.28f);
    while (radians > 3.14f)
        radians -= 6.28f;
    while (radians <= -3.14f)
        radians += 6.28f;
    return radians;
}

Weapon::Weapon(const WeaponStats& stats)
    : accuracy(stats.accuracy), range(stats.range), ammo(stats.magazine), maxAmmo(stats.magazine),
      reloadSpeed(stats.reloadSpeed), shotCount(stats.shotCount), penetrating(stats.penetrating),
      explosive(stats.explosive), melee(stats.melee), spriteRow(stats.spriteRow) {
    name = basename = stats.basename;
    stability = stats.stability;
    power = stats.power;
    semiAuto = stats.semiAuto;
    speed = stats.speed;
    shotTimer = Timer{1.0f, true, 1.0f, 1.0f};
    float swing = std::min(1.0f / speed - 0.001f, 0.25f);
    swingTimer = Timer{swing, true, swing, swing};
    sprite.setTexture(Contenthandler::getInstance()->gunTextures.at(0));
    sprite.setTextureRect(sf::IntRect(0, 64 * spriteRow, 64, 64));
    sprite.setOrigin(32, 16);
}

void Weapon::applyAffixes() {
    for (const Affix& affix : affixes) {
        const std::string& code = affix.code;
        float v = affix.value;
        bool ownPoints = true;
        if (code == "RLD") {
            reloadSpeed *= v;
        } else if (code == "CLP") {
            maxAmmo = ammo = std::floor((maxAmmo + 2 * v) * v);
        } else if (code == "ACC") {
            accuracy += (1 - accuracy) * 0.1f * v;
        } else if (code == "STB") {
            stability += v;
        } else if (code == "RNG") {
            range *= v;
            shotColor.b = shiftChannel(shotColor.b, -48 * v);
        } else if (code == "SCN") {
            shotCount *= v;
            power /= (v + 1) * 0.5f;
        } else if (code == "EXP") {
            explosive = true;
            shotColor.b = shiftChannel(shotColor.b, -64);
            shotColor.g = shiftChannel(shotColor.g, -64);
        } else if (code == "ETH") {
            penetrating = true;
            shotColor.r = shiftChannel(shotColor.r, -48 * v);
            shotColor.b = shiftChannel(shotColor.b, -48 * v);
        } else if (code == "EXR") {
            explosionRadius *= v;
        } else if (code == "DEF") {
            bulletShatter = true;
            shotColor.r = static_cast<sf::Uint8>(std::clamp(shotColor.r - 100, 0, 255));
            shotColor.b = 0;
        } else if (code == "CON") {
            concussive = true;
            shotColor.r = shiftChannel(shotColor.r, -48 * v);
            shotColor.g = shiftChannel(shotColor.g, -48 * v);
            shotColor.b = shiftChannel(shotColor.b, -48 * v);
        } else if (code == "ADR") {
            adrenaline = true;
            shotColor.g = shiftChannel(shotColor.g, -144 * v);
            shotColor.b = shiftChannel(shotColor.b, -144 * v);
        } else if (code == "POI") {
            poisoned = true;
            shotColor.r = shiftChannel(shotColor.r, -135 * v);
            shotColor.g = shiftChannel(shotColor.g, -180 * v);
            shotColor.b = shiftChannel(shotColor.b, -90 * v);
        } else {
            // "POW" and "SPD" trade a little of the other stat for their own;
            // the base pass then applies them and counts their points.
            ownPoints = false;
            if (code == "POW") {
                shotColor.g = shiftChannel(shotColor.g, -48 * v);
                shotColor.b = shiftChannel(shotColor.b, -48 * v);
                if (v > 1)
                    speed /= std::sqrt(v);
            } else if (code == "SPD" && v > 1) {
                power /= std::sqrt(v);
            }
        }
        if (ownPoints)
            rarity += affix.points;
    }
    Item::applyAffixes();
    power = truncateToHundredths(power);
    stability = truncateToHundredths(stability);
    reloadSpeed = truncateToHundredths(reloadSpeed);
    speed = truncateToHundredths(speed);
    accuracy = truncateToHundredths(accuracy);
    accuracy = std::clamp(accuracy, -10000.0f, 1.0f);
    reloadSpeed = std::clamp(reloadSpeed, 0.01f, 999999.0f);
    speed = std::clamp(speed, 0.01f, 999999.0f);
}

void Weapon::scaleToLevel(float level) {
    LevelSteps steps(level);
    float reloadOnEntry = reloadSpeed, speedOnEntry = speed;
    stability += static_cast<float>(randInt(0, steps.whole)) * stability * 0.125f;
    power += static_cast<float>(randInt(steps.half, steps.twice)) * power * 0.16666667f;
    reloadSpeed += static_cast<float>(randInt(0, steps.whole)) * reloadSpeed * 0.083333336f;
    speed += static_cast<float>(randInt(0, steps.whole)) * speed * 0.083333336f;
    reloadSpeed = std::min(std::max(reloadSpeed, 0.0f), 2 * reloadOnEntry);
    speed = std::min(std::max(speed, 0.0f), 2 * speedOnEntry);
}

float Weapon::getAmmoFraction() const {
    if (ammo > 0)
        return maxAmmo > 0 ? ammo / maxAmmo : 1.0f;
    return std::min(1.0f, 1.0f - reloadTimer.remaining / reloadTimer.duration);
}

bool Weapon::containsPoint(float x, float y) const {
    return sprite.getGlobalBounds().contains(x, y);
}

void Weapon::setHand(int value) {
    hand = value == 1 ? 1 : 0;
    Contenthandler* content = Contenthandler::getInstance();
    const SoundGroup& group = soundGroupOf(basename);
    shotBuffer = &(content->*group.shot);
    reloadBuffer = &(content->*group.reload);
    sf::IntRect rect = sprite.getTextureRect();
    sprite.setTextureRect(sf::IntRect(64 * hand, rect.top, 64, 64));
    bindBuffer(content->weaponSounds[hand], shotBuffer);
    bindBuffer(content->reloadSounds[hand], reloadBuffer);
}

void Weapon::setPosition(sf::Vector2f position) {
    sprite.setPosition(position);
    targetPosition = position;
}

void Weapon::setGfx(int row) {
    spriteRow = row;
    sf::IntRect rect = sprite.getTextureRect();
    sprite.setTextureRect(sf::IntRect(rect.left, 64 * row, 64, 64));
}

void Weapon::addRecoil() {
    recoil = clampRecoil(recoil + std::sqrt(shotCount * power) * (1 / steadiness(stability)) * 0.1f);
}

void Weapon::draw() {
    gameWindow().draw(sprite);
}

sf::Vector2f Weapon::mouseInWorld() {
    sf::Vector2f pointer(InputState::getInstance()->mouse);
    Camera* camera = Camera::getInstance();
    if (!camera->screenMode)
        pointer += sf::Vector2f(static_cast<float>(camera->visibleArea.left),
                                static_cast<float>(camera->visibleArea.top));
    return pointer;
}

void Weapon::update(float dt, int weaponHandling) {
    float h = handlingOf(weaponHandling);
    holdDistance = 40 - recoil * 32;
    if (shotTimer.running)
        shotTimer.tick(speed * dt);
    if (reloadTimer.running)
        reloadTimer.tick(reloadSpeed * dt);
    recoil -= (0.4f * recoil * dt + 0.3f * stability * dt) * 0.12f * (h + 1) + 1.2f * recoil * dt +
              0.3f * stability * dt;
    recoil = clampRecoil(recoil);
    paceReloadSound();
    if (reloadTimer.crossedZero()) {
        ammo = maxAmmo;
        if (basename == "Bomb")
            playReloadSound();
    }
    if (ammo <= 0 && reloadTimer.remaining <= 0)
        reloadTimer.remaining = reloadTimer.previous = reloadTimer.duration;
    if (basename == "Chainsaw" && (ammo <= 0 || !Player::getInstance()->useHeld(1 - hand) || semiAuto))
        Contenthandler::getInstance()->weaponSounds[hand].stop();
    sprite.move((targetPosition - sprite.getPosition()) * 0.4f * dt * 70.0f);
    aim(dt, h);
    if (swingTimer.running)
        swingTimer.tick(dt);
    if (swingTimer.remaining > 0) {
        sprite.setRotation(swingAngle);
        swingAngle += swingRate * dt;
    } else {
        sprite.setScale(1, 1);
    }
}

void Weapon::aim(float dt, float handling) {
    float target = 1.57f; // straight down: lowered while empty or sprinting
    if (!(ammo <= 0 || (sprinting && !melee))) {
        sf::Vector2f away = sprite.getPosition() - mouseInWorld();
        target = std::atan2(away.y, away.x);
        if (target < 0)
            target += 6.28302f;
        target += 3.1415f;
    }
    float turn = wrapAimTurn(target - angle);
    float sign = turn > 0 ? 1.0f : (turn < 0 ? -1.0f : 0.0f);
    float step = stability * dt * 0.5f * sign + turn * dt * 3;
    step += step * 0.04f * handling;
    if (std::abs(step) <= std::abs(turn))
        angle += step;
    else
        angle = target;
    sprite.setRotation(angle * 0.15923566f * 360 - 90);
}

void Weapon::paceReloadSound() {
    // The reload sound is started so that it ends just after the reload does:
    // once the time left is shorter than the sound.
    if (reloadTimer.remaining <= 0.01f || !reloadBuffer || basename == "Bomb")
        return;
    float progress = std::min(1.0f, 1.0f - reloadTimer.remaining / reloadTimer.duration);
    float timeLeft = (1 - progress) * (1 / reloadSpeed);
    sf::Sound& channel = Contenthandler::getInstance()->reloadSounds[hand];
    if (channel.getStatus() != sf::Sound::Playing &&
        reloadBuffer->getDuration().asSeconds() > timeLeft + 0.2f)
        playReloadSound();
}

void Weapon::playReloadSound() {
    sf::Sound& channel = Contenthandler::getInstance()->reloadSounds[hand];
    bindBuffer(channel, reloadBuffer);
    channel.play();
}

void Weapon::dryFire() {
    if (reloadTimer.remaining <= 0 || isOneOf(basename, {"Knife", "Fire Axe", "Katana", "Grenade", "Bomb"}))
        return;
    // An automatic weapon pulls every frame; the click plays out instead of stuttering.
    sf::Sound& click = Contenthandler::getInstance()->dryFireSound;
    if (click.getStatus() != sf::Sound::Playing)
        click.play();
}

void Weapon::fire(Player& player, int weaponHandling) {
    if (!canFire()) {
        dryFire();
        return;
    }
    float h = handlingOf(weaponHandling);
    shotTimer.remaining = shotTimer.previous = shotTimer.duration;
    float barrel = melee ? 1.0f : 44.0f;
    muzzlePosition = sprite.getPosition() + sf::Vector2f(std::cos(angle), std::sin(angle)) * barrel;
    for (int i = 0; static_cast<float>(i) < shotCount; ++i) {
        int spread = randInt(spreadBound(50 - 50 * accuracy), spreadBound(50 * accuracy - 50));
        spawnShot(player, angle + static_cast<float>(spread) * 0.0025f);
    }
    ammo -= 1;
    float kick = std::sqrt(power * shotCount) / std::sqrt(h + 1);
    float unsteadiness = 2 / steadiness(stability);
    if (!melee)
        angle += unsteadiness * 0.15f * kick * static_cast<float>(std::rand() % 201 - 100) * 0.01f;
    recoil = clampRecoil(recoil + unsteadiness * 0.1f * kick);
    if (melee) {
        startSwing();
    } else {
        Particlehandler::getInstance()->muzzleFlash(muzzlePosition, angle, flashSize(power));
        ejectShell();
    }
    playShotSound();
}

void Weapon::ejectShell() {
    Particlehandler* particles = Particlehandler::getInstance();
    sf::Vector2f grip = sprite.getPosition();
    float side = angle + 1.57f - 3.14f * static_cast<float>(hand);
    float throwSpeed = static_cast<float>(std::rand() % 101 + 150);
    particles->casing(grip, sf::Vector2f(std::cos(side), std::sin(side)) * throwSpeed, 0.12f, 5);
    particles->smoke(grip + 0.4f * (muzzlePosition - grip), 2, 100);
}

void Weapon::startSwing() {
    sprite.setScale(1, range / 48);
    // The swing spans its whole arc in the time between two uses (at most a
    // quarter second), whatever the affixes and the level did to the speed.
    float interval = 1 / speed;
    swingTimer.duration = std::min(interval - 0.001f, 0.25f);
    swingTimer.remaining = swingTimer.previous = swingTimer.duration;
    swingTimer.running = true;
    float arc = (50 - 50 * accuracy) * 0.1f;
    float pace = interval < 0.25f ? speed : 4.0f;
    if (std::rand() % 2 == 0) {
        swingAngle = sprite.getRotation() - arc;
        swingRate = 2 * arc * pace;
    } else {
        swingAngle = sprite.getRotation() + arc;
        swingRate = -2 * arc * pace;
    }
}

void Weapon::playShotSound() {
    sf::Sound& channel = Contenthandler::getInstance()->weaponSounds[hand];
    float pitch = shotPitch + static_cast<float>(std::rand() % 21 - 10) * 0.0125f;
    bindBuffer(channel, shotBuffer);
    if (basename == "Chainsaw" && channel.getStatus() == sf::Sound::Playing)
        return;
    channel.setPitch(pitch);
    channel.play();
}

void Weapon::spawnShot(const Player& player, float shotAngle) {
    Map* map = Maphandler::getInstance()->currentMap();
    if (!map)
        return;
    Shot shot;
    shot.origin = muzzlePosition;
    shot.angle = shotAngle;
    shot.damage = power;
    shot.range = range;
    shot.explosionRadius = explosionRadius;
    shot.explosive = explosive;
    shot.noTracer = melee;
    shot.absorbsProjectiles = bulletShatter;
    shot.concussive = concussive;
    shot.adrenaline = adrenaline;
    shot.poisoned = poisoned;
    shot.tracerSize = static_cast<int>(std::min(0.4f * std::sqrt(std::max(power, 0.0f)), 1.0e6f));
    shot.tracerColor = shotColor;
    shot.tileWindow = shotTileWindow(player.position, range, map->columns(), map->rows());
    shot.source = {HitSource::By::player,
                   explosive ? HitSource::With::explosiveRound : HitSource::With::weapon, basename};
    (penetrating ? map->penetratingShots : map->shots).push_back(shot);
}
