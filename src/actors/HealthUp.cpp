#include "actors/HealthUp.h"

#include "actors/Player.h"
#include "core/Contenthandler.h"
#include "core/Globals.h"
#include "effects/Particlehandler.h"

#include <algorithm>
#include <string>

HealthUp::HealthUp(sf::Vector2f where) : PowerUp(where, sf::IntRect(0, 0, 48, 48)) {}

float HealthUp::healFor(int level) {
    return (static_cast<float>(level) * 0.125f + 1.0f) * 30.0f;
}

void HealthUp::apply() {
    Player* player = Player::getInstance();
    if (player->HP >= player->MaxHP)
        return;
    Contenthandler::getInstance()->healthPickupSound.play();
    float heal = healFor(levelNumber);
    // The text shows what was really restored, never more than was missing.
    float restored = std::min(heal, player->MaxHP - player->HP);
    player->HP = std::min(player->HP + heal, player->MaxHP);
    Particlehandler::getInstance()->text({player->position.x - 30, player->position.y - 64}, 2,
                                         "+" + std::to_string(static_cast<int>(restored)), {0, -1});
    PowerUp::apply();
}
