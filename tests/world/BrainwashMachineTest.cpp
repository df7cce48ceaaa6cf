#include "world/BrainwashMachine.h"
#include "actors/Player.h"
#include "core/Contenthandler.h"
#include "core/Globals.h"
#include "effects/Particlehandler.h"
#include "world/Map.h"
#include "world/Maphandler.h"

#include <gtest/gtest.h>

namespace {

TEST(BrainwashMachine, MusicFadesNearALiveMachineAndReturnsWhenItIsGone) {
    Maphandler::getInstance()->setCurrentMap(std::make_unique<Map>(60, 60));
    Map& m = *Maphandler::getInstance()->currentMap();
    Contenthandler* content = Contenthandler::getInstance();
    m.furniture.push_back(std::make_unique<BrainwashMachine>(sf::Vector2f(1600, 1600)));
    Player* player = Player::getInstance();
    player->position = {1600 + 300, 1600};
    m.update(0.016f);
    EXPECT_NEAR(content->battleMusic.getVolume(), 0, 0.01f);
    player->position = {1600 + 3000, 1600};
    m.update(0.016f);
    EXPECT_NEAR(content->battleMusic.getVolume(), content->musicFraction * 100, 0.01f);
    player->position = {1600 + 300, 1600};
    m.update(0.016f);
    m.furniture.clear();
    EXPECT_NEAR(content->battleMusic.getVolume(), content->musicFraction * 100, 0.01f);
}

// The level is won: the machine goes up in a large burst, the player is
// healed and shielded, and the map reports the win for the level to settle.
TEST(BrainwashMachine, DestroyingItBurstsHealsThePlayerAndReportsTheWin) {
    Maphandler::getInstance()->setCurrentMap(std::make_unique<Map>(60, 60));
    Map& map = *Maphandler::getInstance()->currentMap();
    levelNumber = 2;
    BrainwashMachine machine({1000, 1000});
    EXPECT_FLOAT_EQ(machine.HP, 260);
    EXPECT_TRUE(machine.noDrop);
    EXPECT_FALSE(machine.explosive);
    Player* player = Player::getInstance();
    player->resetForLevel(true);
    player->HP = 12.5f;
    player->showInvulnerabilityBar = true;
    Particlehandler* particles = Particlehandler::getInstance();
    particles->clear();
    machine.takeDamage(100, {900, 1000});
    EXPECT_FALSE(machine.dead);
    EXPECT_FLOAT_EQ(player->HP, 12.5f);
    EXPECT_TRUE(map.events.empty());
    const std::size_t beforeDeath = particles->count();
    machine.takeDamage(1000, {900, 1000});
    EXPECT_TRUE(machine.dead);
    EXPECT_GE(particles->count(), beforeDeath + 50) << "the climax shows a large burst";
    EXPECT_FLOAT_EQ(player->invulnerabilityTimer, 10);
    EXPECT_FALSE(player->showInvulnerabilityBar);
    EXPECT_FLOAT_EQ(player->HP, player->MaxHP);
    ASSERT_EQ(map.events.size(), 1u);
    EXPECT_EQ(map.events[0].kind, LevelEvent::Kind::machineDestroyed);
    particles->clear();
    player->resetForLevel(true);
    levelNumber = 1;
}

TEST(BrainwashMachine, DestroyedAfterThePlayerDiedItLeavesTheGameOverAlone) {
    Maphandler::getInstance()->setCurrentMap(std::make_unique<Map>(60, 60));
    Map& map = *Maphandler::getInstance()->currentMap();
    Player* player = Player::getInstance();
    player->resetForLevel(true);
    player->dead = true;
    player->HP = -5;
    BrainwashMachine machine({1000, 1000});
    machine.takeDamage(100000, {900, 1000});
    EXPECT_TRUE(machine.dead);
    EXPECT_TRUE(map.events.empty());
    EXPECT_FLOAT_EQ(player->HP, -5);
    player->resetForLevel(true);
}

} // namespace
