#include "effects/Particle.h"
#include "effects/AnimatedParticle.h"
#include "effects/DropParticle.h"
#include "effects/textParticle.h"
#include "world/Map.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

namespace {

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

TEST(ShellCasing, ItBouncesBackOffAWallItTouchesButNotOffOneFurtherAway) {
    auto grid = gridWith(4, 4, {{2, 1}});
    DropParticle near({120, 96}, {200, 0}, 0.12f, 5, 6);
    EXPECT_TRUE(near.touchesWall(grid));
    EXPECT_LT(near.velocity.x, 0);
    EXPECT_FALSE(near.touchesWall(grid)) << "once bounced it is clear of the wall";
    DropParticle far({40, 96}, {200, 0}, 0.12f, 5, 6);
    EXPECT_FALSE(far.touchesWall(grid));
    EXPECT_FLOAT_EQ(far.velocity.x, 200);
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
