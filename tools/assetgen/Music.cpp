#include "AssetGen.h"

void generateMusic(const AssetContext&) {}
