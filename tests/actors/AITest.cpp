#include "EnemyWorld.h"
#include "actors/AI_melee_alien.h"

namespace {

TEST_F(EnemyWorld, AWallAnywhereBetweenBlocksSight) {
    Enemy& e = add(Enemy::rangedAlien, {160, 608});
    player->position = {1000, 608};
    e.ai->notice(e);
    EXPECT_TRUE(e.seesPlayer);
    EXPECT_EQ(e.lastSeenTile, sf::Vector2i(15, 9));
    EXPECT_FLOAT_EQ(e.searchRadius, 0);
    for (int x = 3; x <= 14; ++x) {
        Tile& wall = makeWall(*map, x, 9);
        e.ai->notice(e);
        EXPECT_FALSE(e.seesPlayer) << "wall at column " << x;
        wall.kind = 0;
    }
    // Within reach of the eyes only.
    player->position = {160 + 897, 608};
    e.ai->notice(e);
    EXPECT_FALSE(e.seesPlayer);
}

TEST_F(EnemyWorld, OutOfSightAnEnemyWalksOnThenSearchesOrWanders) {
    Enemy& e = add(Enemy::human, {640, 640});
    e.setState(2);
    e.seesPlayer = false;
    e.lastSeenTile = {10, 10};
    e.searchRadius = 3;
    e.path = {{900, 640}};
    e.ai->hunt(e, 0.016f);
    EXPECT_EQ(e.state, 2);
    EXPECT_EQ(e.path.back(), sf::Vector2f(900, 640));

    // Arrived: the next spot is near where the player was last seen.
    for (unsigned seed = 1; seed <= 20; ++seed) {
        std::srand(seed);
        e.path = {e.position};
        e.pathTimer.stop();
        e.ai->hunt(e, 0.016f);
        EXPECT_EQ(e.state, 1);
        sf::Vector2f to = e.path.back();
        EXPECT_GE(to.x, 7 * 64);
        EXPECT_LT(to.x, 13 * 64);
        EXPECT_GE(to.y, 7 * 64);
        EXPECT_LT(to.y, 13 * 64);
    }
    // Too far gone to guess: it wanders somewhere inside the map.
    e.searchRadius = 16;
    e.path = {e.position};
    e.pathTimer.stop();
    e.ai->hunt(e, 0.016f);
    EXPECT_EQ(e.state, 1);
    EXPECT_NE(e.path.back(), e.position);
}

TEST_F(EnemyWorld, AMeleeAlienPowersUpChargesPastThePlayerAndStops) {
    Enemy& e = add(Enemy::meleeAlien, {320, 640});
    player->position = {640, 640};
    auto& ai = static_cast<AI_melee_alien&>(*e.ai);
    e.ai->notice(e);
    e.setState(2);
    ai.decide(e);
    EXPECT_EQ(e.state, 5);
    EXPECT_TRUE(e.attackTimer.running);
    EXPECT_FLOAT_EQ(e.attackTimer.remaining, 2.5f);

    // A stun holds the charge back.
    e.attackTimer.remaining = 0;
    e.stun();
    ai.decide(e);
    EXPECT_EQ(e.state, 5);
    e.stunTimer.remaining = 0;
    ai.decide(e);
    EXPECT_EQ(e.state, 6);
    EXPECT_EQ(e.nextWaypoint(), sf::Vector2f(768, 640)); // 40 % past the player
    EXPECT_FLOAT_EQ(e.mass, 500);

    e.path = {e.position};
    ai.decide(e);
    EXPECT_EQ(e.state, 1);
    EXPECT_FLOAT_EQ(e.mass, 300);

    // A charge held up short of its end gives up after a power-up's time.
    e.setState(6);
    e.path = {{1000, 640}};
    e.attackTimer.start();
    ai.decide(e);
    EXPECT_EQ(e.state, 6);
    e.attackTimer.tick(2.6f);
    ai.decide(e);
    EXPECT_EQ(e.state, 1);
}

TEST_F(EnemyWorld, ABadlyHurtHumanFleesAndThenWarnsAnIdleHuman) {
    Enemy& hurt = add(Enemy::human, {300, 300});
    Enemy& alien = add(Enemy::rangedAlien, {330, 380});
    Enemy& partner = add(Enemy::human, {400, 300});
    player->position = {300, 420};
    hurt.ai->notice(hurt);
    hurt.HP = hurt.MaxHP * 0.15f;
    hurt.ai->update(hurt, 0.016f);
    EXPECT_EQ(hurt.state, 3); // the player is too close to stop and warn anyone

    player->position = {1150, 1150};
    hurt.lastSeenTile = {4, 6};
    alien.setState(0);
    partner.setState(0);
    for (int frame = 0; frame < 200 && partner.state != 2; ++frame) {
        hurt.update(0.016f);
        EXPECT_NE(hurt.target, &alien); // aliens are nobody's partners
    }
    EXPECT_EQ(partner.state, 2);
    EXPECT_EQ(partner.lastSeenTile, sf::Vector2i(4, 6));
    EXPECT_EQ(alien.state, 0);
    EXPECT_GE(hurt.state, 3);
}

} // namespace
