#include "effects/Particle.h"
#include "effects/AnimatedParticle.h"
#include "effects/DropParticle.h"
#include "effects/textParticle.h"
#include "world/Map.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

namespace {

Particle still(float lifetime, int type = 2) {
    return Particle({100, 100}, {0, 0}, lifetime, type, 0);
}

TEST(ParticleLife, AParticleWithoutLifeDiesAtItsFirstUpdate) {
    Particle p({0, 0}, {0, 0}, 0, 2, 0);
    EXPECT_FALSE(p.dead);
    p.update(0.016f);
    EXPECT_TRUE(p.dead);
}

TEST(ParticleLife, ItDiesWhenItsLifeHasRunOut) {
    Particle p({0, 0}, {0, 0}, 1, 2, 0);
    p.update(0.5f);
    EXPECT_FALSE(p.dead);
    p.update(0.5f);
    EXPECT_TRUE(p.dead);
}

TEST(ParticleLife, FadingAndShrinkingFollowTheShareOfLifeSpent) {
    Particle p({0, 0}, {0, 0}, 2, 2, 0);
    p.setScale({0.8f, 0.8f});
    p.shrinks = true;
    p.update(0.5f);
    EXPECT_EQ(p.sprite.getColor().a, 191);
    EXPECT_NEAR(p.sprite.getScale().x, 0.6f, 1e-5f);
    p.update(1.5f);
    EXPECT_EQ(p.sprite.getColor().a, 0);
    EXPECT_NEAR(p.sprite.getScale().x, 0, 1e-5f);
}

TEST(ParticleMotion, DragTakesTwiceTheElapsedShareOfTheVelocity) {
    Particle p({0, 0}, {100, -50}, 5, 2, 0);
    p.drag = true;
    p.update(0.1f);
    EXPECT_NEAR(p.velocity.x, 80, 1e-4f);
    EXPECT_NEAR(p.velocity.y, -40, 1e-4f);
    // The position moves with the slowed velocity.
    EXPECT_NEAR(p.sprite.getPosition().x, 8, 1e-4f);
}

TEST(ParticleMotion, SpinTurnsTheSpriteInDegreesPerSecond) {
    Particle p({0, 0}, {0, 0}, 5, 2, 90);
    p.update(0.5f);
    EXPECT_NEAR(p.sprite.getRotation(), 45, 1e-4f);
}

TEST(ParticleMotion, PaperTipsOverOntoItsSideAndLiesThere) {
    std::srand(3);
    Particle paper({0, 0}, {40, 10}, 10, 6, 200);
    for (int i = 0; i < 200 && paper.spin != 0; ++i)
        paper.update(0.02f);
    EXPECT_FLOAT_EQ(paper.sprite.getRotation(), 90);
    EXPECT_EQ(paper.velocity, sf::Vector2f(0, 0));
    sf::Vector2f at = paper.sprite.getPosition();
    paper.update(0.02f);
    EXPECT_EQ(paper.sprite.getPosition(), at);
}

TEST(ParticleCells, TheTypePicksTheRowOfTheSheet) {
    std::srand(1);
    for (int i = 0; i < 20; ++i) {
        Particle blood = still(1, 2);
        EXPECT_EQ(blood.sprite.getTextureRect().top, 64);
        EXPECT_EQ(blood.sprite.getTextureRect().left % 32, 0);
        EXPECT_LT(blood.sprite.getTextureRect().left, 128);
        // Paper scraps and the light dot always take the first cell of their row.
        EXPECT_EQ(still(1, 6).sprite.getTextureRect(), sf::IntRect(0, 192, 32, 32));
        EXPECT_EQ(still(1, 0).sprite.getTextureRect(), sf::IntRect(0, 0, 32, 32));
        // Gun smoke is a smaller smoke puff.
        Particle smoke = still(1, 32);
        EXPECT_EQ(smoke.sprite.getTextureRect().top, 96);
        EXPECT_FLOAT_EQ(smoke.sprite.getScale().x, 0.8f);
    }
    EXPECT_FLOAT_EQ(still(1, 1).sprite.getScale().x, 0.6f);
    EXPECT_FLOAT_EQ(still(1, 3).sprite.getScale().x, 2);
    EXPECT_EQ(still(1, 11).sprite.getColor(), sf::Color(150, 130, 182));
}

TEST(AnimatedParticle, FramesAdvanceAndWrapToTheFirst) {
    sf::Texture sheet;
    AnimatedParticle blast({0, 0}, sheet, 128, 128, 0, 3, 0.1f, 5);
    blast.update(0.1f);
    EXPECT_EQ(blast.currentFrame, 1);
    EXPECT_EQ(blast.sprite.getTextureRect().left, 128);
    blast.update(0.1f);
    blast.update(0.1f);
    EXPECT_EQ(blast.currentFrame, 0);
    EXPECT_EQ(blast.sprite.getTextureRect().left, 0);
}

TEST(FloatingText, ALifeOfTwoSecondsIsFullyTransparentAfterTwoSeconds) {
    textParticle text({0, 100}, 2, "+30", {0, -1}, 2);
    for (int i = 0; i < 4; ++i)
        text.update(0.5f);
    EXPECT_EQ(text.text.getFillColor().a, 0);
    EXPECT_TRUE(text.dead);
}

TEST(FloatingText, ItRisesAsFastAtAnyFrameRate) {
    textParticle slow({0, 100}, 2, "+30", {0, -1}, 2);
    textParticle fast({0, 100}, 2, "+30", {0, -1}, 2);
    for (int i = 0; i < 6; ++i)
        slow.update(1.0f / 60);
    for (int i = 0; i < 60; ++i)
        fast.update(1.0f / 600);
    EXPECT_NEAR(slow.text.getPosition().y, 94, 1e-3f);
    EXPECT_NEAR(fast.text.getPosition().y, 94, 1e-3f);
}

// A grid of free tiles with the given solid ones.
DropParticle::Grid gridWith(int columns, int rows, std::initializer_list<sf::Vector2i> solid) {
    DropParticle::Grid grid(static_cast<std::size_t>(columns),
                            std::vector<Tile>(static_cast<std::size_t>(rows)));
    for (sf::Vector2i t : solid)
        grid[static_cast<std::size_t>(t.x)][static_cast<std::size_t>(t.y)].kind = 1;
    return grid;
}

TEST(ShellCasing, ItBouncesBackOffAWallAtSixTenthsOfItsSpeed) {
    auto grid = gridWith(4, 4, {{2, 1}});
    DropParticle shell({120, 96}, {200, 0}, 0.12f, 5, 6);
    EXPECT_TRUE(shell.touchesWall(grid));
    EXPECT_FLOAT_EQ(shell.velocity.x, -120);
    EXPECT_FLOAT_EQ(shell.sprite.getPosition().x, 112);
    EXPECT_FALSE(shell.touchesWall(grid));
}

TEST(ShellCasing, ItMissesAWallMoreThanSixteenPixelsAway) {
    auto grid = gridWith(4, 4, {{2, 1}});
    DropParticle shell({100, 96}, {200, 0}, 0.12f, 5, 6);
    EXPECT_FALSE(shell.touchesWall(grid));
    EXPECT_FLOAT_EQ(shell.velocity.x, 200);
}

TEST(ShellCasing, ItBouncesAFewTimesAndComesToRestWhileItStillLies) {
    std::srand(7);
    DropParticle shell({0, 0}, {250, 0}, 0.12f, 5, 6);
    float strength = shell.bounceStrength;
    int landings = 0;
    for (int i = 0; i < 300; ++i) {
        shell.update(0.01f);
        if (shell.bounceStrength != strength) {
            EXPECT_LE(shell.bounceStrength, 0.9f * strength + 1e-6f);
            strength = shell.bounceStrength;
            ++landings;
        }
    }
    EXPECT_GE(landings, 1);
    EXPECT_EQ(shell.velocity, sf::Vector2f(0, 0));
    EXPECT_FLOAT_EQ(shell.scale, 1);
    EXPECT_FALSE(shell.dead);
    sf::Vector2f at = shell.sprite.getPosition();
    shell.update(0.01f);
    EXPECT_EQ(shell.sprite.getPosition(), at);
}

} // namespace
