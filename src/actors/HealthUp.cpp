#include "actors/HealthUp.h"

#include "actors/Player.h"
#include "app/Contenthandler.h"
#include "app/Globals.h"

#include <algorithm>

HealthUp::HealthUp(sf::Vector2f where) : PowerUp(where, sf::IntRect(0, 0, 48, 48)) {}

float HealthUp::healFor(int level) { return (static_cast<float>(level) * 0.125f + 1.0f) * 30.0f; }

void HealthUp::apply() {
    Player* player = Player::getInstance();
    if (player->HP >= player->MaxHP)
        return;
    Contenthandler::getInstance()->healthPickupSound.play();
    player->HP = std::min(player->HP + healFor(levelNumber), player->MaxHP);
    PowerUp::apply();
}
