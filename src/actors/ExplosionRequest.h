#pragma once
// A pending explosion, appended to the map by explosive shots, grenades and
// barrels and resolved by the next world update.

#include "world/HitSource.h"

struct ExplosionRequest {
    float damage = 0;
    float radius = 0;
    float x = 0;
    float y = 0;
    HitSource source{}; // whoever set it off, and by what
};
