#include "screens/IntermissionState.h"
#include "app/GameStateHandler.h"
#include "core/Contenthandler.h"
#include "effects/Particlehandler.h"
#include "screens/Ingame.h"
#include "world/Map.h"
#include "world/Maphandler.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

// Music streams on threads of its own; one still playing when the test
// process exits can abort it, so every test that starts music stops it.
void silence() {
    Contenthandler* content = Contenthandler::getInstance();
    for (sf::Music* music : {&content->battleMusic, &content->menuMusic, &content->scoreMusic})
        music->stop();
    for (sf::Sound* sound : {&content->pointCountSound, &content->cheerSound, &content->doorsInSound,
                             &content->doorsOutSound, &content->clickSound})
        sound->stop();
}

class DoorWipe : public ::testing::Test {
  protected:
    void SetUp() override {
        Maphandler::getInstance()->setCurrentMap(std::make_unique<Map>(30, 30));
        wipe = IntermissionState::getInstance();
        wipe->resetToClosing();
    }
    void TearDown() override {
        silence();
        wipe->resetToClosing();
    }

    // Frames of 1/60 s until the wipe asks to be popped; returns how many it took.
    int runUntilPopped(int limit = 600) {
        for (int frame = 1; frame <= limit; ++frame) {
            wipe->update(1.0f / 60);
            EXPECT_GE(wipe->gap(), 0);
            EXPECT_LE(wipe->doors[0].getPosition().x, 0);
            EXPECT_GE(wipe->doors[1].getPosition().x, IntermissionState::panelWidth);
            if (wipe->popRequested)
                return frame;
        }
        return -1;
    }

    IntermissionState* wipe = nullptr;
};

TEST_F(DoorWipe, ClosesWithSparksHoldsThenPopsReadyToOpen) {
    wipe->onEnter();
    std::size_t particlesBefore = Particlehandler::getInstance()->count();
    int frames = runUntilPopped();
    ASSERT_GT(frames, 0);
    // About a second of sliding (the doors meet after 0.96 s) and the hold.
    EXPECT_NEAR(frames / 60.0f, 0.96f + IntermissionState::closedPause, 0.1f);
    EXPECT_FLOAT_EQ(wipe->gap(), 0);
    EXPECT_GE(Particlehandler::getInstance()->count(), particlesBefore + 20);
    EXPECT_FALSE(wipe->closing);
}

TEST_F(DoorWipe, OpensAfterTheLatchAndPopsReadyToCloseAgain) {
    wipe->onEnter();
    ASSERT_GT(runUntilPopped(), 0);
    wipe->onEnter();
    EXPECT_FALSE(wipe->closing);
    EXPECT_FALSE(wipe->popRequested);
    // The latch holds the doors shut for a moment.
    for (int i = 0; i < 12; ++i)
        wipe->update(1.0f / 60);
    EXPECT_FLOAT_EQ(wipe->gap(), 0);
    int frames = runUntilPopped();
    ASSERT_GT(frames, 0);
    EXPECT_GT(wipe->gap(), 1900);
    EXPECT_TRUE(wipe->closing);
}

} // namespace
