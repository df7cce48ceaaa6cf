#include "world/BrainwashMachine.h"
#include "actors/Player.h"
#include "app/Contenthandler.h"
#include "app/GameStateHandler.h"
#include "app/Globals.h"
#include "screens/ScoreScreenState.h"
#include "world/Map.h"
#include "world/Maphandler.h"

#include <gtest/gtest.h>

namespace {

TEST(BrainwashMachine, SignalRisesFromNineSixtyPixelsToFullWithinFourEighty) {
    EXPECT_FLOAT_EQ(BrainwashMachine::signalAt(2000), 0);
    EXPECT_FLOAT_EQ(BrainwashMachine::signalAt(960), 0);
    EXPECT_FLOAT_EQ(BrainwashMachine::signalAt(720), 1.0f / 3);
    EXPECT_FLOAT_EQ(BrainwashMachine::signalAt(480), 1);
    EXPECT_FLOAT_EQ(BrainwashMachine::signalAt(0), 1);
}

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

TEST(BrainwashMachine, DestroyingItHealsThePlayerAndMakesHimInvulnerable) {
    Maphandler::getInstance()->setCurrentMap(std::make_unique<Map>(60, 60));
    levelNumber = 2;
    BrainwashMachine machine({1000, 1000});
    EXPECT_FLOAT_EQ(machine.HP, 260);
    EXPECT_TRUE(machine.noDrop);
    EXPECT_FALSE(machine.explosive);
    Player* player = Player::getInstance();
    player->resetForLevel(true);
    player->HP = 12.5f;
    player->showInvulnerabilityBar = true;
    machine.takeDamage(100, {900, 1000});
    EXPECT_FALSE(machine.dead);
    EXPECT_FLOAT_EQ(player->HP, 12.5f);
    machine.takeDamage(1000, {900, 1000});
    EXPECT_TRUE(machine.dead);
    EXPECT_FLOAT_EQ(player->invulnerabilityTimer, 10);
    EXPECT_FALSE(player->showInvulnerabilityBar);
    EXPECT_FLOAT_EQ(player->HP, player->MaxHP);
    GameStateHandler* handler = GameStateHandler::getInstance();
    EXPECT_TRUE(handler->delayActive);
    EXPECT_EQ(handler->pendingState, ScoreScreenState::getInstance());
    EXPECT_FLOAT_EQ(handler->delayRemaining, 1.5f);
    handler->delayActive = false;
    handler->pendingState = nullptr;
    player->resetForLevel(true);
    levelNumber = 1;
}

TEST(BrainwashMachine, DestroyedAfterThePlayerDiedItLeavesTheGameOverAlone) {
    Maphandler::getInstance()->setCurrentMap(std::make_unique<Map>(60, 60));
    GameStateHandler* handler = GameStateHandler::getInstance();
    handler->delayActive = false;
    handler->pendingState = nullptr;
    Player* player = Player::getInstance();
    player->resetForLevel(true);
    player->dead = true;
    player->HP = -5;
    BrainwashMachine machine({1000, 1000});
    machine.takeDamage(100000, {900, 1000});
    EXPECT_TRUE(machine.dead);
    EXPECT_EQ(handler->pendingState, nullptr);
    EXPECT_FLOAT_EQ(player->HP, -5);
    player->resetForLevel(true);
}

} // namespace
