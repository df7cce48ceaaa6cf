// The frame cap's schedule: frames end on a steady grid, a late frame ends
// at once and the next makes up for it, and only a stall starts the count over.
#include "app/FrameLimiter.h"

#include <gtest/gtest.h>

namespace {

sf::Time ms(float m) {
    return sf::microseconds(static_cast<sf::Int64>(m * 1000));
}

TEST(FrameLimiter, ALateFrameEndsAtOnceAndOnlyAStallStartsTheCountOver) {
    const sf::Time period = sf::microseconds(1000000 / 30);
    // The first capped frame starts the count: it ends a period on.
    FrameLimiter::Step step = FrameLimiter::next(sf::Time::Zero, ms(5), 30, true);
    EXPECT_EQ(step.deadline, ms(5) + period);
    EXPECT_EQ(step.sleep, period);

    // A frame of 20 ms sleeps to the grid.
    const sf::Time first = step.deadline;
    step = FrameLimiter::next(first, first + ms(20), 30, false);
    EXPECT_EQ(step.deadline, first + period);
    EXPECT_EQ(step.sleep, period - ms(20));

    // A frame of 35 ms, 1.7 ms over, ends at once, and the grid holds: the
    // next frame has a period less those 1.7 ms.
    const sf::Time second = step.deadline;
    step = FrameLimiter::next(second, second + ms(35), 30, false);
    EXPECT_EQ(step.sleep, sf::Time::Zero);
    EXPECT_EQ(step.deadline, second + period);
    step = FrameLimiter::next(step.deadline, second + ms(35) + ms(20), 30, false);
    EXPECT_EQ(step.deadline, second + period + period);
    EXPECT_EQ(step.sleep, period + period - ms(55));

    // A stall of half a second starts over from its end, without racing or waiting.
    const sf::Time third = step.deadline;
    step = FrameLimiter::next(third, third + ms(500), 30, false);
    EXPECT_EQ(step.deadline, third + ms(500));
    EXPECT_EQ(step.sleep, sf::Time::Zero);
}

} // namespace
