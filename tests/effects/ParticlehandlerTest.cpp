#include "effects/Particlehandler.h"
#include "world/Maphandler.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

namespace {

class Particles : public ::testing::Test {
  protected:
    void SetUp() override {
        std::srand(11);
        handler = Particlehandler::getInstance();
    }
    void TearDown() override { Particlehandler::destroyInstance(); }

    float speedOf(const Particle& p) const { return std::hypot(p.velocity.x, p.velocity.y); }
    float angleOf(const Particle& p) const { return std::atan2(p.velocity.y, p.velocity.x); }

    Particlehandler* handler = nullptr;
};

TEST_F(Particles, ABurstOfNoneMakesNothing) {
    handler->burst({0, 0}, 1, 100, 2, 0, 1, 0.2f, true);
    handler->directedBurst(0, {0, 0}, 100, 1, 2, 0, 1, 0.2f, true);
    EXPECT_EQ(handler->count(), 0u);
}

TEST_F(Particles, ABurstGoesIntoItsLayerAtQuarterToTwoAndAHalfTimesItsSpeed) {
    handler->burst({50, 60}, 1.5f, 100, 2, 40, 1, 0.2f, true);
    ASSERT_EQ(handler->layer(1).size(), 40u);
    EXPECT_TRUE(handler->layer(0).empty());
    EXPECT_TRUE(handler->layer(2).empty());
    for (const auto& p : handler->layer(1)) {
        EXPECT_GE(speedOf(*p), 25 - 1e-3f);
        EXPECT_LE(speedOf(*p), 250 + 1e-3f);
        EXPECT_FLOAT_EQ(p->sprite.getScale().x, 0.2f);
        EXPECT_TRUE(p->drag);
        EXPECT_FLOAT_EQ(p->life.duration, 1.5f);
        EXPECT_EQ(p->sprite.getPosition(), sf::Vector2f(50, 60));
    }
}

TEST_F(Particles, ADirectedPairFliesToEitherSideOfTheAngle) {
    for (int round = 0; round < 50; ++round) {
        handler->directedBurst(1.0f, {0, 0}, 300, 0.5f, 2, 2, 0, 0.2f, false);
        const auto& layer = handler->layer(0);
        const Particle& left = *layer[layer.size() - 2];
        const Particle& right = *layer[layer.size() - 1];
        // 0.2 radians to each side, give or take 0.2 of jitter.
        EXPECT_GE(angleOf(left), 1.0f - 0.4f - 1e-4f);
        EXPECT_LE(angleOf(left), 1.0f + 1e-4f);
        EXPECT_GE(angleOf(right), 1.0f - 1e-4f);
        EXPECT_LE(angleOf(right), 1.0f + 0.4f + 1e-4f);
        for (const Particle* p : {&left, &right}) {
            EXPECT_GE(speedOf(*p), 150 - 1e-2f);
            EXPECT_LE(speedOf(*p), 450 + 1e-2f);
            EXPECT_GE(p->life.duration, 0.125f - 1e-5f);
            EXPECT_LE(p->life.duration, 1.25f + 1e-5f);
        }
    }
}

TEST_F(Particles, ADeadParticleIsDrawnOnceAndRemovedAtTheNextUpdate) {
    handler->burst({0, 0}, 0, 10, 1, 3, 2, 1, false);
    handler->update(0.016f);
    ASSERT_EQ(handler->layer(2).size(), 3u);
    EXPECT_TRUE(handler->layer(2)[0]->dead);
    handler->update(0.016f);
    EXPECT_TRUE(handler->layer(2).empty());
}

TEST_F(Particles, LayersOutsideTheThreeFallIntoTheNearestOne) {
    handler->burst({0, 0}, 1, 10, 1, 1, 7, 1, false);
    handler->burst({0, 0}, 1, 10, 1, 1, -1, 1, false);
    EXPECT_EQ(handler->layer(2).size(), 1u);
    EXPECT_EQ(handler->layer(0).size(), 1u);
}

TEST_F(Particles, FloatingTextLivesTwoSecondsAboveTheNight) {
    handler->text({100, 100}, 2, "+42", {0, -1});
    ASSERT_EQ(handler->layer(Particlehandler::glow).size(), 1u);
    for (int i = 0; i < 4; ++i)
        handler->update(0.5f);
    EXPECT_EQ(handler->layer(Particlehandler::glow).size(), 1u);
    EXPECT_TRUE(handler->layer(Particlehandler::glow)[0]->dead);
    handler->update(0.5f);
    EXPECT_EQ(handler->count(), 0u);
}

TEST_F(Particles, ACasingOutlivesItsFirstFlightOnTheGround) {
    handler->casing({0, 0}, {200, 0}, 0.12f, 5);
    ASSERT_EQ(handler->layer(Particlehandler::ground).size(), 1u);
    for (int i = 0; i < 100; ++i)
        handler->update(0.01f);
    EXPECT_EQ(handler->layer(Particlehandler::ground).size(), 1u);
    for (int i = 0; i < 600; ++i)
        handler->update(0.01f);
    EXPECT_EQ(handler->count(), 0u);
}

TEST_F(Particles, ANewMapStartsWithoutTheLastRunsParticles) {
    Maphandler* maps = Maphandler::getInstance();
    handler->burst({0, 0}, 5, 100, 7, 12, Particlehandler::ground, 1, true);
    handler->text({0, 0}, 2, "+5", {0, -1});
    maps->newMap(1);
    EXPECT_EQ(handler->count(), 0u);
}

TEST_F(Particles, PaperTakesTheFirstScrapOfItsOwnRow) {
    handler->burst({0, 0}, 5, 100, 6, 3, Particlehandler::air, 1, false);
    for (const auto& p : handler->layer(Particlehandler::air))
        EXPECT_EQ(p->sprite.getTextureRect(), sf::IntRect(0, 6 * 32, 32, 32));
}

TEST_F(Particles, AnExplosionIsScaledByItsRadius) {
    handler->explosion({300, 300}, 0.8f, 128);
    const auto& glow = handler->layer(Particlehandler::glow);
    ASSERT_GE(glow.size(), 2u);
    // The flash, then the animated blast at radius / 64.
    EXPECT_EQ(glow[0]->sprite.getColor().a, 204);
    EXPECT_FLOAT_EQ(glow[1]->sprite.getScale().x, 2);
    EXPECT_EQ(glow[1]->sprite.getTextureRect(), sf::IntRect(0, 0, 128, 128));
    // The blast plays its sixteen frames and is gone before it starts over.
    const Particle* blast = glow[1].get();
    auto alive = [&] {
        for (const auto& p : handler->layer(Particlehandler::glow))
            if (p.get() == blast)
                return true;
        return false;
    };
    int frames = 0;
    for (int i = 0; i < 100 && alive(); ++i) {
        if (blast->sprite.getTextureRect().left == 15 * 128)
            ++frames;
        EXPECT_TRUE(i < 5 || blast->sprite.getTextureRect().left != 0)
            << "the blast started over at step " << i;
        handler->update(0.01f);
    }
    EXPECT_GT(frames, 0);
    EXPECT_FALSE(alive());
}

} // namespace
