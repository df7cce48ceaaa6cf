#include "items/WeaponInfo.h"

#include "items/ArmorInfo.h"
#include "items/Item.h"

#include <climits>
#include <cmath>
#include <functional>

namespace {

bool isBomb(const Item* item) {
    return item && item->getType() == "bombbb";
}

int compare(float held, float choice) {
    return held > choice ? 1 : (held < choice ? -1 : 0);
}

// One row of a numeric stat: the text of each item and each held item's comparison with the choice.
WeaponInfoRow numberRow(const std::string& label, const Item* items[3],
                        const std::function<float(const Item&)>& stat, const std::string& unit = "",
                        bool (*shows)(const Item*) = nullptr) {
    WeaponInfoRow row;
    row.label = label;
    float choice = stat(*items[0]);
    for (int c = 0; c < 3; ++c) {
        const Item* item = items[c];
        if (!item || (shows && !shows(item)))
            continue;
        float value = stat(*item);
        row.cells[c] = formatStat(value) + unit;
        if (c > 0)
            row.comparison[c] = compare(value, choice);
    }
    return row;
}

// A yes-or-nothing row; having the property counts as the larger value.
WeaponInfoRow flagRow(const std::string& label, const Item* items[3], bool (Item::*flag)() const) {
    return numberRow(label, items, [flag](const Item& item) { return (item.*flag)() ? 1.0f : 0.0f; });
}

} // namespace

int weaponDps(const Item& weapon) {
    float magazine = weapon.getMaxAmmo();
    float cycle = (magazine - 1) / weapon.getSpeed() + 1 / weapon.getReloadSpeed();
    float dps = weapon.getPower() * weapon.getShotCount() * magazine / cycle;
    if (!(magazine > 0) || !(cycle > 0) || !std::isfinite(dps) || dps < 0)
        return 0;
    // Far beyond any real weapon, but a hand-edited save must not overflow the cast.
    if (dps >= static_cast<float>(INT_MAX))
        return INT_MAX;
    return static_cast<int>(dps);
}

WeaponInfo weaponInfo(const Item& choice, const Item* left, const Item* right) {
    const Item* items[3] = {&choice, left, right};
    WeaponInfo info;

    WeaponInfoRow name;
    name.label = "Name:";
    for (int c = 0; c < 3; ++c)
        if (items[c])
            name.cells[c] = items[c]->getName();
    info.rows.push_back(name);

    WeaponInfoRow dps =
        numberRow("DPS: ", items, [](const Item& i) { return static_cast<float>(weaponDps(i)); });
    info.rows.push_back(dps);
    info.rows.push_back(numberRow("Damage:", items, [](const Item& i) { return i.getPower(); }));
    info.rows.push_back(numberRow("Range:", items, [](const Item& i) { return i.getRange(); }));
    info.rows.push_back(numberRow("Rate of Fire:", items, [](const Item& i) { return i.getSpeed(); }));
    info.rows.push_back(numberRow("Accuracy:", items, [](const Item& i) { return i.getAccuracy(); }));
    info.rows.push_back(numberRow("Stability:", items, [](const Item& i) { return i.getStability(); }));
    info.rows.push_back(numberRow(
        "Reload Speed:", items, [](const Item& i) { return i.getReloadSpeed(); }, "s"));
    info.rows.push_back(numberRow("Clip Size:", items, [](const Item& i) { return i.getMaxAmmo(); }));
    info.rows.push_back(numberRow("Shots:", items, [](const Item& i) { return i.getShotCount(); }));

    WeaponInfoRow mode;
    mode.label = "Firemode:";
    for (int c = 0; c < 3; ++c)
        if (items[c])
            mode.cells[c] = items[c]->isSemiAuto() ? "Semi" : "Automatic";
    info.rows.push_back(mode);

    WeaponInfoRow penetrating = flagRow("Penetrating:", items, &Item::isPenetrating);
    WeaponInfoRow explosive = flagRow("Explosive:", items, &Item::isExplosive);
    for (WeaponInfoRow* row : {&penetrating, &explosive})
        for (std::string& cell : row->cells)
            cell = cell == "1" ? "Yes" : "";
    info.rows.push_back(penetrating);
    info.rows.push_back(explosive);
    info.rows.push_back(
        numberRow("Expl. Radius:", items, [](const Item& i) { return i.getExplosionRadius(); }));
    if (isBomb(&choice))
        info.rows.push_back(numberRow(
            "Fuse:", items, [](const Item& i) { return i.getFuse(); }, "s", isBomb));
    return info;
}
