#include "AssetGen.h"

void generateActorArt(const AssetContext&) {}
