#include "AssetGen.h"

void generateSoundEffects(const AssetContext&) {}
