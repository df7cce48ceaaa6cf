#include "items/Item.h"

void Item::applyAffixes() {
    for (const Affix& affix : affixes) {
        if (affix.code == "POW") {
            power *= affix.value;
            rarity += affix.points;
        } else if (affix.code == "SPD") {
            speed *= affix.value;
            rarity += affix.points;
        } else if (affix.code == "STD") {
            stability *= affix.value;
            rarity += affix.points;
        } else if (affix.code == "ALT") {
            semiAuto = !semiAuto;
            rarity += affix.points;
        }
        if (affix.name.compare(0, 2, "of") == 0)
            name = name + " " + affix.name;
        else
            name = affix.name + " " + name;
    }
    affixes.clear();
}

void Item::fire(Player&, int) {}

void Item::update(float dt, int) {
    shotTimer.tick(speed * dt);
}

void Item::draw() {}
