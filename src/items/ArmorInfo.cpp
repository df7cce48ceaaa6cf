#include "items/ArmorInfo.h"

#include "items/Item.h"

#include <cmath>
#include <cstdio>

namespace {

int compare(float shown, const Item* worn, float (Item::*stat)() const) {
    if (!worn)
        return 0;
    float other = (worn->*stat)();
    return shown > other ? 1 : (shown < other ? -1 : 0);
}

} // namespace

std::string formatStat(float value) {
    if (!std::isfinite(value))
        return value > 0 ? "inf" : (value < 0 ? "-inf" : "nan");
    char text[64];
    std::snprintf(text, sizeof text, "%.2f", static_cast<double>(value));
    std::string s = text;
    s.erase(s.find_last_not_of('0') + 1);
    if (s.back() == '.')
        s.pop_back();
    return s == "-0" ? "0" : s;
}

ArmorInfo armourInfo(const Item& shown, const Item* worn) {
    ArmorInfo info;
    info.status = &shown == worn ? "Equipped" : "Choice";
    info.rows.push_back({"Name:", shown.getName(), 0});
    info.rows.push_back(
        {"Armor:", formatStat(shown.getPower()), compare(shown.getPower(), worn, &Item::getPower)});
    info.rows.push_back(
        {"Weight:", formatStat(shown.getSpeed()) + " kg", compare(shown.getSpeed(), worn, &Item::getSpeed)});
    info.rows.push_back(
        {"Bonus HP: ", formatStat(shown.getBonusHP()), compare(shown.getBonusHP(), worn, &Item::getBonusHP)});
    return info;
}
