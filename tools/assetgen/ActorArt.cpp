#include "ActorPaint.h"

void generateActorArt(const AssetContext& ctx) {
    actorart::paintCharacters(ctx);
    actorart::paintWeapons(ctx);
    actorart::paintEffects(ctx);
    actorart::paintMachine(ctx);
    actorart::paintArmourIcons(ctx);
}
