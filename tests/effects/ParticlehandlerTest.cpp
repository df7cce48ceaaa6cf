#include "effects/Particlehandler.h"
#include "world/Maphandler.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

class Particles : public ::testing::Test {
  protected:
    void SetUp() override {
        std::srand(11);
        handler = Particlehandler::getInstance();
    }
    void TearDown() override { Particlehandler::destroyInstance(); }

    Particlehandler* handler = nullptr;
};

TEST_F(Particles, ADeadParticleIsDrawnOnceAndRemovedAtTheNextUpdate) {
    handler->burst({0, 0}, 0, 10, 1, 3, 2, 1, false);
    handler->update(0.016f);
    ASSERT_EQ(handler->layer(2).size(), 3u);
    EXPECT_TRUE(handler->layer(2)[0]->dead);
    handler->update(0.016f);
    EXPECT_TRUE(handler->layer(2).empty());
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

} // namespace
