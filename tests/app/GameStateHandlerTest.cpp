#include "app/GameStateHandler.h"
#include "app/GameState.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> journal;

class RecordingState : public GameState {
  public:
    explicit RecordingState(std::string n) : name(std::move(n)) {}
    void onEnter() override { journal.push_back(name + ".enter"); }
    void onExit() override { journal.push_back(name + ".exit"); }
    void update(float) override { journal.push_back(name + ".update"); }
    void draw() override { journal.push_back(name + ".draw"); }
    std::string name;
};

class StateStack : public ::testing::Test {
  protected:
    void SetUp() override {
        journal.clear();
        handler = GameStateHandler::getInstance();
        handler->states.clear();
        handler->delayActive = false;
        handler->delayRemaining = handler->delayPrevious = 1.0f;
        handler->pendingState = nullptr;
        handler->drawEnabled = 1;
    }
    // What the frame loop does with the stack after input and camera.
    void frame(float dt = 0.01f) {
        handler->update(dt);
        if (handler->top() && handler->drawEnabled != 0)
            handler->top()->draw();
        handler->drawEnabled = 1;
    }
    GameStateHandler* handler = nullptr;
    RecordingState a{"a"}, b{"b"}, c{"c"};
};

TEST_F(StateStack, ChangeOnAnEmptyStackOnlyPushesAndEnters) {
    handler->changeState(&a);
    EXPECT_EQ(journal, (std::vector<std::string>{"a.enter"}));
    EXPECT_EQ(handler->top(), &a);
    EXPECT_EQ(handler->states.size(), 1u);
}

TEST_F(StateStack, ChangeReplacesTheTopAndPopUncoversTheOneBelow) {
    handler->changeState(&a);
    handler->pushState(&b);
    handler->changeState(&c);
    EXPECT_EQ(handler->states, (std::vector<GameState*>{&c, &a}));
    handler->popState();
    EXPECT_EQ(handler->top(), &a);
    // Pushing b never told a it was covered; popping c re-entered a.
    EXPECT_EQ(journal,
              (std::vector<std::string>{"a.enter", "b.enter", "b.exit", "c.enter", "c.exit", "a.enter"}));
}

TEST_F(StateStack, APushedStateIsUpdatedNextFrameButNotDrawnInItsFirst) {
    handler->changeState(&a);
    frame();
    journal.clear();
    handler->pushState(&b); // as a button action would, mid-frame
    frame();
    // In the frame of the push nothing is drawn; b is updated and drawn from the next one.
    EXPECT_EQ(journal, (std::vector<std::string>{"b.enter", "b.update"}));
    journal.clear();
    frame();
    EXPECT_EQ(journal, (std::vector<std::string>{"b.update", "b.draw"}));
}

TEST_F(StateStack, APopRequestIsHonouredAtTheStartOfTheNextUpdate) {
    handler->changeState(&a);
    handler->pushState(&b);
    b.popRequested = true;
    journal.clear();
    handler->update(0.01f);
    EXPECT_EQ(journal, (std::vector<std::string>{"b.exit", "a.enter", "a.update"}));
    b.popRequested = false;
}

TEST_F(StateStack, ADelayedPushFiresOnceWhenItsTimerCrossesZero) {
    handler->changeState(&a);
    handler->scheduleState(&b, 0.05f);
    int pushes = 0;
    for (int i = 0; i < 20; ++i) {
        journal.clear();
        handler->update(0.02f);
        for (const std::string& entry : journal)
            pushes += entry == "b.enter";
    }
    EXPECT_EQ(pushes, 1);
    EXPECT_EQ(handler->top(), &b);
}

TEST_F(StateStack, ClearingTheDelayCancelsThePush) {
    handler->changeState(&a);
    handler->scheduleState(&b, 0.05f);
    handler->update(0.02f);
    handler->delayActive = false; // starting a level or loading a save does this
    for (int i = 0; i < 10; ++i)
        handler->update(0.02f);
    EXPECT_EQ(handler->top(), &a);
}

} // namespace
