#include "AssetGen.h"

void generateWorldAndInterfaceArt(const AssetContext&) {}
