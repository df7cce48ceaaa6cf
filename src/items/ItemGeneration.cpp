#include "items/ItemGeneration.h"

#include "core/Random.h"
#include "items/AffixTables.h"
#include "items/ItemDatabase.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace {

bool rolled(int sides) {
    return sides != 0 && randInt(0, sides) == 1;
}

template <typename T> const T* findTemplate(const std::vector<T>& templates, const std::string& basename) {
    for (const T& t : templates)
        if (t.getBasename() == basename)
            return &t;
    return nullptr;
}

// The level's weight in a roll, held where the arithmetic stays exact.
float rollLevel(float level) {
    return std::isfinite(level) ? std::clamp(level, -1.0e6f, 1.0e6f) : 0.0f;
}

} // namespace

int affixRollSides(float points, float level, float pointsFloor) {
    float f = points - rollLevel(level);
    // A good affix whose points the level has passed stays at even odds.
    if (points > pointsFloor && f < 1)
        f = 1.0f;
    return std::abs(static_cast<int>(f));
}

std::unique_ptr<Weapon> generateWeapon(int level) {
    if (weaponTemplates.empty() || bombTemplates.empty())
        buildItemDatabase();
    const int weaponCount = static_cast<int>(weaponTemplates.size());
    const int r = randInt(0, static_cast<int>(bombTemplates.size()) - 1 + weaponCount);
    const float lvl = static_cast<float>(level);
    std::unique_ptr<Weapon> item;
    if (r >= weaponCount) {
        item = std::make_unique<Bomb>(bombTemplates[static_cast<std::size_t>(r - weaponCount)]);
        for (const Affix& row : bombAffixes)
            if (rolled(affixRollSides(row.points, lvl, 1)))
                item->addAffix(row);
    } else {
        item = std::make_unique<Weapon>(weaponTemplates[static_cast<std::size_t>(r)]);
        // Adrenaline is only for single shots: not on automatics, nor on a
        // weapon that already rolled a faster trigger or reload.
        bool fastFiring = false;
        for (const Affix& row : weaponAffixes) {
            if (!rolled(affixRollSides(row.points, lvl, 0)))
                continue;
            if (row.code == "SPD" || row.code == "RLD" || !item->isSemiAuto())
                fastFiring = true;
            if (row.code != "ADR" || !fastFiring)
                item->addAffix(row);
        }
    }
    item->scaleToLevel(lvl);
    item->applyAffixes();
    if (item->isExplosive() && item->getExplosionRadius() == 0) {
        float power = item->getPower();
        item->setExplosionRadius(power * 0.33333334f + std::sqrt(power) + 20);
    }
    if (item->getBasename() == "Grenade")
        item->setSemiAuto(false);
    return item;
}

std::unique_ptr<Armor> generateArmour(float level) {
    if (armourTemplates.empty())
        buildItemDatabase();
    const int r = randInt(0, static_cast<int>(armourTemplates.size()) - 1);
    auto item = std::make_unique<Armor>(armourTemplates[static_cast<std::size_t>(r)]);
    for (const Affix& row : armourAffixes)
        if (rolled(std::abs(static_cast<int>(row.points))))
            item->addAffix(row);
    item->scaleToLevel(level);
    item->applyAffixes();
    return item;
}

std::unique_ptr<Weapon> defaultWeapon() {
    if (weaponTemplates.empty())
        buildItemDatabase();
    const Weapon* pistol = findTemplate(weaponTemplates, "9mm pistol");
    return std::make_unique<Weapon>(pistol ? *pistol : weaponTemplates.front());
}

std::unique_ptr<Armor> defaultArmour() {
    if (armourTemplates.empty())
        buildItemDatabase();
    const Armor* vest = findTemplate(armourTemplates, "Kevlar vest");
    return std::make_unique<Armor>(vest ? *vest : armourTemplates.front());
}
