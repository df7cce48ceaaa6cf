#include "EnemyWorld.h"
#include "actors/PowerUp.h"
#include "actors/ShotResolution.h"
#include "actors/Tazer.h"
#include "core/Settings.h"
#include "effects/Particlehandler.h"
#include "screens/UI.h"
#include "world/Score.h"

#include <cmath>
#include <cstdlib>

namespace {

TEST_F(EnemyWorld, ContactHurtsThePlayerUnlessTheEnemyIsStunned) {
    add(Enemy::human, player->position + sf::Vector2f(40, 0));
    player->invulnerabilityTimer = 0;
    float before = player->HP;
    player->collideWithActors(map->enemies, 0.01f);
    const float vest = player->wornArmour() ? player->wornArmour()->getPower() : 0.0f;
    EXPECT_NEAR(before - player->HP, damageAfterArmour(10.9f, vest), 1e-4f);

    for (int kind : {Enemy::human, Enemy::rangedAlien, Enemy::meleeAlien}) {
        map->enemies.clear();
        Enemy& stunned = add(kind, player->position + sf::Vector2f(40, 0));
        stunned.stun();
        player->invulnerabilityTimer = 0;
        before = player->HP;
        player->collideWithActors(map->enemies, 0.01f);
        EXPECT_FLOAT_EQ(player->HP, before) << "kind " << kind;
    }
}

TEST_F(EnemyWorld, ABerserkEnemyHitsANeighbourOncePerHalfSecond) {
    Enemy& mad = add(Enemy::human, {400, 400});
    Enemy& victim = add(Enemy::human, {440, 400});
    mad.makeBerserk();
    victim.hitGuard.stop();
    const float full = victim.HP;
    mad.collideWithActors(map->enemies, 0.01f);
    EXPECT_FLOAT_EQ(victim.HP, full - mad.damage);
    victim.position = {440, 400};
    mad.collideWithActors(map->enemies, 0.01f);
    EXPECT_FLOAT_EQ(victim.HP, full - mad.damage);
    run(victim, 0.6f);
    victim.position = mad.position + sf::Vector2f(40, 0);
    mad.collideWithActors(map->enemies, 0.01f);
    EXPECT_FLOAT_EQ(victim.HP, full - 2 * mad.damage);
}

TEST_F(EnemyWorld, TheDeadAreRemovedWithTheirTallyNoticeAndDrop) {
    resetKillTallies();
    Enemy& ranged = add(Enemy::rangedAlien, {400, 400}, 1);
    Enemy& human = add(Enemy::human, {600, 400}, 0);
    ranged.takeDamage(100000, {0, 0}, false, true);
    human.takeDamage(100000, {0, 0}, true, false);
    EXPECT_TRUE(ranged.dead);
    map->update(0.0f);
    EXPECT_TRUE(map->enemies.empty());
    EXPECT_EQ(killCounts[Enemy::rangedAlien], 1);
    EXPECT_EQ(killCounts[Enemy::human], 1);
    EXPECT_EQ(alienKillBonus, 840);
    // The clean-up walks the list from its end; each death is reported as a notice.
    ASSERT_EQ(map->events.size(), 2u);
    EXPECT_EQ(map->events[0].kind, LevelEvent::Kind::killNotice);
    EXPECT_EQ(map->events[0].text, "-90 Human");
    EXPECT_EQ(map->events[1].text, "+840 Ranged alien");

    // About half of the aliens leave a health pickup; humans never do.
    int alienDrops = 0, humanDrops = 0;
    for (unsigned seed = 1; seed <= 200; ++seed) {
        std::srand(seed);
        add(Enemy::meleeAlien, {400, 400}).dead = true;
        add(Enemy::human, {600, 600}).dead = true;
        map->pickups.clear();
        map->update(0.0f);
        for (auto& p : map->pickups)
            (p->position == sf::Vector2f(400, 400) ? alienDrops : humanDrops) += 1;
    }
    EXPECT_GT(alienDrops, 70);
    EXPECT_LT(alienDrops, 130);
    EXPECT_EQ(humanDrops, 0);
    resetKillTallies();
}

TEST_F(EnemyWorld, WithBloodOffKillsSparkAndLeaveNothingOnTheFloor) {
    Particlehandler* particles = Particlehandler::getInstance();
    for (bool blood : {true, false}) {
        bloodEnabled = blood;
        particles->clear();
        // A killing shot sprays from the wound; the three kinds of death burst each their own way.
        add(Enemy::human, {400, 400});
        Shot shot;
        shot.origin = {300, 400};
        shot.range = 300;
        shot.damage = 100000;
        map->shots.push_back(shot);
        add(Enemy::rangedAlien, {600, 600}).takeDamage(100000, {0, 0}, true, false);
        add(Enemy::meleeAlien, {800, 600}).takeDamage(100000, {0, 0}, false, true);
        map->update(0.0f);
        ASSERT_TRUE(map->enemies.empty());
        std::size_t bloody = 0;
        for (int layer : {Particlehandler::ground, Particlehandler::air, Particlehandler::glow})
            for (const auto& p : particles->layer(layer))
                bloody +=
                    p->sprite.getTextureRect().top == 2 * 32 || p->sprite.getTextureRect().top == 7 * 32;
        EXPECT_EQ(bloody > 0, blood);
        EXPECT_EQ(particles->layer(Particlehandler::ground).empty(), !blood);
        EXPECT_TRUE(map->stains.empty());
        EXPECT_GT(particles->layer(Particlehandler::air).size(), 20u) << "the hits still show";
    }
    bloodEnabled = true;
    particles->clear();
}

TEST_F(EnemyWorld, NoEnemyKeepsAimingAtOneThatWasRemoved) {
    Enemy& warner = add(Enemy::human, {400, 400});
    Enemy& partner = add(Enemy::human, {460, 400});
    Enemy& mad = add(Enemy::rangedAlien, {800, 800});
    Enemy& victim = add(Enemy::human, {860, 800});
    warner.target = &partner;
    mad.makeBerserk();
    mad.target = &victim;
    partner.takeDamage(100000, {0, 0}, false, false);
    victim.takeDamage(100000, {0, 0}, false, false);
    map->update(0.016f);
    ASSERT_EQ(map->enemies.size(), 2u);
    EXPECT_EQ(warner.target, nullptr);
    // Whatever the berserk alien aims at now is alive on the map.
    for (int frame = 0; frame < 30; ++frame) {
        map->update(0.016f);
        EXPECT_TRUE(mad.target == nullptr || mad.target == &warner);
    }
    // The behaviours run on without touching freed memory (the sanitizer build watches).
    warner.setState(4);
    warner.ai->goWarn(warner);
    EXPECT_EQ(warner.state, 3);
}

} // namespace
