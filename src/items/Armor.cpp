#include "items/Armor.h"

#include "core/Random.h"
#include "items/LevelScaling.h"

#include <algorithm>

Armor::Armor(const std::string& baseType, float rating, float steadiness, float movement, float extraHP)
    : bonusHP(extraHP) {
    name = basename = baseType;
    power = rating;
    stability = steadiness;
    speed = movement;
    semiAuto = false;
}

void Armor::applyAffixes() {
    for (const Affix& affix : affixes) {
        if (affix.code == "HP+") {
            bonusHP *= affix.value;
            rarity += affix.points;
        } else if (affix.code == "STB") {
            stability *= affix.value;
            rarity += affix.points;
        }
    }
    Item::applyAffixes();
}

void Armor::scaleToLevel(float level) {
    LevelSteps steps(level);
    power += static_cast<float>(randInt(steps.half, steps.twice)) * power * 0.2f;
    speed += static_cast<float>(randInt(0, steps.whole)) * speed * 0.025f;
    speed = std::min(std::max(speed, 0.0f), 1.0f);
}
