#include "persistence/SaveFile.h"

#include "actors/Player.h"
#include "core/Globals.h"
#include "core/RunKind.h"
#include "core/Settings.h"
#include "items/ItemDatabase.h"
#include "items/ItemGeneration.h"
#include "world/Score.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>
#include <iostream>
#include <limits>
#include <ostream>
#include <string_view>

namespace {

// Bounds that no run reaches in play. They keep a damaged file from handing
// the game numbers its formulas cannot take: negative stats would give a
// negative stamina pool, and values near the int range overflow when the
// levelling raises them.
constexpr int highestStat = 100000;
constexpr int mostExperience = 1000000000;
// A weapon fires one shot record per count, so an absurd count would stall the frame.
constexpr float mostShots = 1000;
constexpr int highestSpriteRow = 255;

bool startsWith(const std::string& line, std::string_view key) {
    return std::string_view(line).starts_with(key);
}

// The file's lines without their line ends, so files edited on Windows read alike.
class Lines {
  public:
    explicit Lines(std::istream& stream) : in(stream) {}
    bool next(std::string& line) {
        if (!std::getline(in, line))
            return false;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        return true;
    }

  private:
    std::istream& in;
};

// A value line read as a number the way saves always have been ("%Lf"), 0
// for a line without one. Empty when the file ended before the value or the
// value is not a finite number: a NaN or an infinity would poison every
// formula it enters, so it counts as a value the file does not hold.
std::optional<long double> numberLine(Lines& lines) {
    std::string line;
    if (!lines.next(line))
        return std::nullopt;
    long double value = 0;
    if (std::sscanf(line.c_str(), "%Lf", &value) != 1)
        return 0.0L;
    if (!std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<float> floatLine(Lines& lines) {
    std::optional<long double> value = numberLine(lines);
    if (!value || std::fabs(*value) > std::numeric_limits<float>::max())
        return std::nullopt;
    return static_cast<float>(*value);
}

// Truncated toward zero and held inside [lo, hi].
std::optional<int> intLine(Lines& lines, int lo, int hi) {
    std::optional<long double> value = numberLine(lines);
    if (!value)
        return std::nullopt;
    long double whole =
        std::clamp(std::trunc(*value), static_cast<long double>(lo), static_cast<long double>(hi));
    return static_cast<int>(whole);
}

std::optional<bool> boolLine(Lines& lines) {
    std::optional<long double> value = numberLine(lines);
    if (!value)
        return std::nullopt;
    return *value != 0;
}

// A name is drawn on screen, where control characters have no shape. They
// are dropped, stray carriage returns included: kept, the one at the end
// would be taken for a line end the next time the save is read, and the
// name would shrink with every save.
std::optional<std::string> textLine(Lines& lines) {
    std::string line;
    if (!lines.next(line))
        return std::nullopt;
    std::erase_if(line, [](unsigned char c) { return c < 0x20 || c == 0x7f; });
    return line;
}

// Stores a value the file held; a value it did not hold changes nothing.
template <typename T> void keep(std::optional<T>& field, std::optional<T> value) {
    if (value)
        field = value;
}

template <typename T, typename Set> void with(std::optional<T> value, Set set) {
    if (value)
        set(*value);
}

// The run's counters and the player's state. Longer keys are tested before
// the shorter keys they start with: "Stamina: " (the stat) before "Stamina:"
// (the current stamina), "XPneeded" before "XP".
bool readRunKey(const std::string& line, Lines& lines, SaveData& save) {
    if (startsWith(line, "Hardcoremode"))
        keep(save.hardcore, boolLine(lines));
    else if (startsWith(line, "Difficulty"))
        keep(save.difficulty, intLine(lines, 1, highestLevel));
    else if (startsWith(line, "Armor") && !startsWith(line, "Armorr"))
        keep(save.armour, floatLine(lines));
    else if (startsWith(line, "MaxStamina"))
        keep(save.maxStamina, floatLine(lines));
    else if (startsWith(line, "Stamina: "))
        keep(save.staminaStat, intLine(lines, 0, highestStat));
    else if (startsWith(line, "Stamina:"))
        keep(save.stamina, floatLine(lines));
    else if (startsWith(line, "Position(X,Y)")) {
        keep(save.positionX, floatLine(lines));
        keep(save.positionY, floatLine(lines));
    } else if (startsWith(line, "Hitradius"))
        keep(save.hitRadius, floatLine(lines));
    else if (startsWith(line, "Grapple"))
        keep(save.grapple, intLine(lines, 0, highestStat));
    else if (startsWith(line, "Health"))
        keep(save.health, intLine(lines, 0, highestStat));
    else if (startsWith(line, "Weaponhandle"))
        keep(save.weaponHandle, intLine(lines, 0, highestStat));
    else if (startsWith(line, "Level"))
        keep(save.level, intLine(lines, 0, highestStat));
    else if (startsWith(line, "XPneeded"))
        keep(save.xpNeeded, intLine(lines, 0, mostExperience));
    else if (startsWith(line, "XP"))
        keep(save.xp, intLine(lines, 0, mostExperience));
    else if (startsWith(line, "Statpoints"))
        keep(save.statpoints, intLine(lines, 0, highestStat));
    else if (startsWith(line, "HS"))
        keep(save.totalScore, intLine(lines, 0, INT_MAX));
    else if (startsWith(line, "Score"))
        keep(save.upgradePoints, intLine(lines, 0, INT_MAX));
    else if (startsWith(line, "Seed:")) {
        std::optional<std::string> code = textLine(lines);
        std::string why;
        keep(save.seed, code ? parseSeed(*code, why) : std::nullopt);
    } else
        return false;
    return true;
}

// The item block being read, with views of the item by its kind.
struct ItemBlock {
    Item* item = nullptr;
    Weapon* weapon = nullptr; // guns and bombs
    Bomb* bomb = nullptr;
    Armor* armour = nullptr;
};

// A blank of the type named on a "Type:" line, appended to the loaded items.
ItemBlock startItem(const std::string& type, SaveData& save) {
    ItemBlock block;
    std::string_view kind = std::string_view(type).substr(0, 6);
    if (kind == "weapon" && !weaponTemplates.empty()) {
        auto weapon = std::make_unique<Weapon>(weaponTemplates.front());
        block.weapon = weapon.get();
        save.items.push_back(std::move(weapon));
    } else if (kind == "bombbb" && !bombTemplates.empty()) {
        auto bomb = std::make_unique<Bomb>(bombTemplates.front());
        block.weapon = block.bomb = bomb.get();
        save.items.push_back(std::move(bomb));
    } else if (kind == "Armorr" && !armourTemplates.empty()) {
        auto armour = std::make_unique<Armor>(armourTemplates.front());
        block.armour = armour.get();
        save.items.push_back(std::move(armour));
    } else {
        return block;
    }
    block.item = save.items.back().get();
    return block;
}

// Channels beyond 0..255 would not fit the colour; the alpha is never saved
// and comes back as 128.
void readShotColor(Lines& lines, Weapon& weapon) {
    sf::Color color = weapon.getShotColor();
    for (sf::Uint8* channel : {&color.r, &color.g, &color.b})
        with(floatLine(lines),
             [channel](float v) { *channel = static_cast<sf::Uint8>(std::clamp(v, 0.0f, 255.0f)); });
    color.a = 128;
    weapon.setShotColor(color);
}

void readShotCount(Lines& lines, Weapon& w) {
    with(floatLine(lines), [&w](float v) { w.setShotCount(std::clamp(v, 0.0f, mostShots)); });
}

void readGfx(Lines& lines, Weapon& w) {
    with(intLine(lines, 0, highestSpriteRow), [&w](int v) { w.setGfx(v); });
}

bool readGunKey(const std::string& line, Lines& lines, Weapon& w) {
    if (startsWith(line, "MaxAmmo"))
        with(floatLine(lines), [&w](float v) { w.setMaxAmmo(v); });
    else if (startsWith(line, "Ammo"))
        with(floatLine(lines), [&w](float v) { w.setAmmo(v); });
    else if (startsWith(line, "Shotcolor(r,g,b)"))
        readShotColor(lines, w);
    else if (startsWith(line, "Recoil"))
        with(floatLine(lines), [&w](float v) { w.setRecoil(std::clamp(v, 0.0f, 1.0f)); });
    else if (startsWith(line, "Range"))
        with(floatLine(lines), [&w](float v) { w.setRange(v); });
    else if (startsWith(line, "Accuracy"))
        with(floatLine(lines), [&w](float v) { w.setAccuracy(v); });
    else if (startsWith(line, "RLDSpeed"))
        with(floatLine(lines), [&w](float v) { w.setReloadSpeed(v); });
    else if (startsWith(line, "ShotCount"))
        readShotCount(lines, w);
    else if (startsWith(line, "Penetration"))
        with(boolLine(lines), [&w](bool v) { w.setPenetrating(v); });
    else if (startsWith(line, "Explosive"))
        with(boolLine(lines), [&w](bool v) { w.setExplosive(v); });
    else if (startsWith(line, "Melee"))
        with(boolLine(lines), [&w](bool v) { w.setMelee(v); });
    else if (startsWith(line, "GFX"))
        readGfx(lines, w);
    else if (startsWith(line, "Bulletshat"))
        with(boolLine(lines), [&w](bool v) { w.setBulletShatter(v); });
    else if (startsWith(line, "Concussive"))
        with(boolLine(lines), [&w](bool v) { w.setConcussive(v); });
    else if (startsWith(line, "Adrenalin"))
        with(boolLine(lines), [&w](bool v) { w.setAdrenaline(v); });
    else if (startsWith(line, "Poison"))
        with(boolLine(lines), [&w](bool v) { w.setPoisoned(v); });
    else if (startsWith(line, "Explosionradius"))
        with(floatLine(lines), [&w](float v) { w.setExplosionRadius(v); });
    else
        return false;
    return true;
}

bool readBombKey(const std::string& line, Lines& lines, Bomb& b) {
    if (startsWith(line, "ThrowingSpeed"))
        with(floatLine(lines), [&b](float v) { b.setThrowingSpeed(v); });
    else if (startsWith(line, "Fuse"))
        with(floatLine(lines), [&b](float v) { b.setFuse(v); });
    else if (startsWith(line, "Friction"))
        with(floatLine(lines), [&b](float v) { b.setFriction(v); });
    else if (startsWith(line, "Accuracy"))
        with(floatLine(lines), [&b](float v) { b.setAccuracy(v); });
    else if (startsWith(line, "ShotCount"))
        readShotCount(lines, b);
    else if (startsWith(line, "RLDSpeed"))
        with(floatLine(lines), [&b](float v) { b.setReloadSpeed(v); });
    else if (startsWith(line, "MaxAmmo"))
        with(floatLine(lines), [&b](float v) { b.setMaxAmmo(v); });
    else if (startsWith(line, "ExplosionRadius"))
        with(floatLine(lines), [&b](float v) { b.setExplosionRadius(v); });
    else if (startsWith(line, "GFX"))
        readGfx(lines, b);
    else
        return false;
    return true;
}

bool readCommonKey(const std::string& line, Lines& lines, Item& item) {
    if (startsWith(line, "Name"))
        with(textLine(lines), [&item](const std::string& v) { item.setName(v); });
    else if (startsWith(line, "Basename"))
        with(textLine(lines), [&item](const std::string& v) { item.setBasename(v); });
    else if (startsWith(line, "Power"))
        // No item has negative power: recoil and kick take its square root.
        with(floatLine(lines), [&item](float v) { item.setPower(std::max(v, 0.0f)); });
    else if (startsWith(line, "Stability"))
        with(floatLine(lines), [&item](float v) { item.setStability(v); });
    else if (startsWith(line, "Speed"))
        with(floatLine(lines), [&item](float v) { item.setSpeed(v); });
    else if (startsWith(line, "Semiauto"))
        with(boolLine(lines), [&item](bool v) { item.setSemiAuto(v); });
    else if (startsWith(line, "Rarity"))
        with(floatLine(lines), [&item](float v) { item.setRarity(v); });
    else
        return false;
    return true;
}

bool readItemKey(const std::string& line, Lines& lines, const ItemBlock& block) {
    if (!block.item)
        return false;
    if (block.bomb && readBombKey(line, lines, *block.bomb))
        return true;
    if (block.weapon && !block.bomb && readGunKey(line, lines, *block.weapon))
        return true;
    if (block.armour && startsWith(line, "bonusHP")) {
        Armor& a = *block.armour;
        with(floatLine(lines), [&a](float v) { a.setBonusHP(v); });
        return true;
    }
    return readCommonKey(line, lines, *block.item);
}

void writeItem(std::ostream& out, const Item& item) {
    const std::string type = item.getType();
    out << "Type:\n" << type << "\n";
    if (type == "weapon") {
        sf::Color c = item.getShotColor();
        out << "MaxAmmo:\n" << item.getMaxAmmo() << "\n";
        out << "Ammo:\n" << item.getAmmo() << "\n";
        out << "Shotcolor(r,g,b):\n"
            << static_cast<float>(c.r) << "\n"
            << static_cast<float>(c.g) << "\n"
            << static_cast<float>(c.b) << "\n";
        out << "Recoil:\n" << item.getRecoil() << "\n";
        out << "Range:\n" << item.getRange() << "\n";
        out << "Accuracy:\n" << item.getAccuracy() << "\n";
        out << "RLDSpeed:\n" << item.getReloadSpeed() << "\n";
        out << "ShotCount:\n" << item.getShotCount() << "\n";
        out << "Penetration:\n" << item.isPenetrating() << "\n";
        out << "Explosive:\n" << item.isExplosive() << "\n";
        out << "Melee:\n" << item.isMelee() << "\n";
        out << "GFX:\n" << item.getGfx() << "\n";
        out << "Bulletshat:\n" << item.isBulletShatter() << "\n";
        out << "Concussive:\n" << item.isConcussive() << "\n";
        out << "Adrenalin:\n" << item.isAdrenaline() << "\n";
        out << "Poison:\n" << item.isPoisoned() << "\n";
        out << "Explosionradius:\n" << item.getExplosionRadius() << "\n";
    } else if (type == "bombbb") {
        out << "ThrowingSpeed:\n" << item.getThrowingSpeed() << "\n";
        out << "Fuse:\n" << item.getFuse() << "\n";
        out << "Friction:\n" << item.getFriction() << "\n";
        out << "Accuracy:\n" << item.getAccuracy() << "\n";
        out << "ShotCount:\n" << item.getShotCount() << "\n";
        out << "RLDSpeed:\n" << item.getReloadSpeed() << "\n";
        out << "MaxAmmo:\n" << item.getMaxAmmo() << "\n";
        out << "ExplosionRadius:\n" << item.getExplosionRadius() << "\n";
        out << "GFX:\n" << item.getGfx() << "\n";
    } else if (type == "Armorr:") {
        out << "bonusHP:\n" << item.getBonusHP() << "\n";
    } else {
        std::cout << " save error" << std::endl;
    }
    out << "Name:\n" << item.getName() << "\n";
    out << "Basename:\n" << item.getBasename() << "\n";
    out << "Power:\n" << item.getPower() << "\n";
    out << "Stability:\n" << item.getStability() << "\n";
    out << "Speed:\n" << item.getSpeed() << "\n";
    out << "Semiauto:\n" << item.isSemiAuto() << "\n";
    out << "Rarity\n" << item.getRarity() << "\n";
    out << "\n";
}

} // namespace

void writeSave(std::ostream& out, const Player& player) {
    out << "Hardcoremode:\n" << hardcoreMode << "\n";
    out << "Difficulty:\n" << levelNumber << "\n";
    out << "\n";
    out << "Player:\n";
    out << "Armor:\n" << player.armour << "\n";
    out << "MaxHP:\n" << player.MaxHP << "\n";
    out << "HP:\n" << player.HP << "\n";
    out << "MaxStamina:\n" << player.MaxStamina << "\n";
    out << "Stamina:\n" << player.Stamina << "\n";
    out << "Position(X,Y):\n" << player.position.x << "\n" << player.position.y << "\n";
    out << "Hitradius:\n" << player.radius << "\n";
    out << "Rotation:\n" << player.rotation << "\n";
    out << "Grapple: \n" << player.Grapple << "\n";
    out << "Health: \n" << player.Health << "\n";
    out << "Stamina: \n" << player.StaminaStat << "\n";
    out << "Weaponhandle: \n" << player.Weaponhandle << "\n";
    out << "Level: \n" << player.Level << "\n";
    out << "XP: \n" << player.XP << "\n";
    out << "XPneeded: \n" << player.XPneeded << "\n";
    out << "Statpoints: \n" << player.Statpoints << "\n";
    out << "HS: \n" << totalScore << "\n";
    out << "Score: \n" << upgradePoints << "\n";
    out << "\n";
    out << "Equipped:\n";
    for (const auto& item : player.inventory)
        if (item)
            writeItem(out, *item);
    if (currentRun.kind == RunKind::seeded)
        out << "Seed:\n" << formatSeed(currentRun.seed) << "\n";
}

SaveData readSave(std::istream& in) {
    SaveData save;
    Lines lines(in);
    ItemBlock block;
    std::string line;
    // Every line is looked up among the keys: the keys of the item block
    // being read, then the run's keys. A key's value lines are taken with
    // it, and anything else is skipped, so keys may stand in any order.
    while (lines.next(line)) {
        if (startsWith(line, "Type")) {
            save.recognised = true;
            std::optional<std::string> type = textLine(lines);
            block = type ? startItem(*type, save) : ItemBlock{};
        } else if (readItemKey(line, lines, block) || readRunKey(line, lines, save)) {
            save.recognised = true;
        }
    }
    return save;
}

void applySave(SaveData& save, Player& player) {
    with(save.hardcore, [](bool v) { hardcoreMode = v; });
    with(save.difficulty, [](int v) { levelNumber = v; });
    with(save.armour, [&player](float v) { player.armour = v; });
    with(save.maxStamina, [&player](float v) { player.MaxStamina = v; });
    with(save.stamina, [&player](float v) { player.Stamina = v; });
    with(save.positionX, [&player](float v) { player.position.x = v; });
    with(save.positionY, [&player](float v) { player.position.y = v; });
    with(save.hitRadius, [&player](float v) { player.radius = v; });
    with(save.grapple, [&player](int v) { player.Grapple = v; });
    with(save.health, [&player](int v) { player.Health = v; });
    with(save.staminaStat, [&player](int v) { player.StaminaStat = v; });
    with(save.weaponHandle, [&player](int v) { player.Weaponhandle = v; });
    with(save.level, [&player](int v) { player.Level = v; });
    with(save.xp, [&player](int v) { player.XP = v; });
    with(save.xpNeeded, [&player](int v) { player.XPneeded = v; });
    with(save.statpoints, [&player](int v) { player.Statpoints = v; });
    with(save.totalScore, [](int v) { totalScore = v; });
    with(save.upgradePoints, [](int v) { upgradePoints = v; });

    std::vector<std::unique_ptr<Item>>& inventory = player.inventory;
    if (inventory.size() < 3)
        inventory.resize(3);
    std::size_t hand = 0;
    bool armourWorn = false;
    for (std::unique_ptr<Item>& item : save.items) {
        if (!item)
            continue;
        if (dynamic_cast<Armor*>(item.get())) {
            if (!armourWorn)
                inventory[2] = std::move(item);
            armourWorn = true;
        } else if (hand < 2) {
            inventory[hand++] = std::move(item);
        }
    }
    save.items.clear();
    for (std::size_t h = 0; h < 2; ++h)
        if (!inventory[h])
            inventory[h] = defaultWeapon();
    if (!inventory[2])
        inventory[2] = defaultArmour();
    player.equipHands();
}
