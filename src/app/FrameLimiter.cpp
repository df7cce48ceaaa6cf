#include "app/FrameLimiter.h"

#include <SFML/System/Sleep.hpp>

FrameLimiter::Step FrameLimiter::next(sf::Time deadline, sf::Time now, int rate, bool freshCount) {
    const sf::Time period = sf::microseconds(1000000 / rate);
    if (freshCount)
        deadline = now;
    deadline += period;
    // A frame that ran late ends at once, and the next makes up for it. A
    // loop that fell more than a whole frame behind (a level loading, a
    // stall) starts over rather than racing through frames to catch up; it
    // must not wait a further period either, or one slow frame would show
    // for two.
    if (now > deadline + period)
        deadline = now;
    return {deadline, deadline > now ? deadline - now : sf::Time::Zero};
}

void FrameLimiter::wait(int rate) {
    if (rate <= 0) {
        currentRate = 0;
        return;
    }
    const Step step = next(deadline, clock.getElapsedTime(), rate, rate != currentRate);
    currentRate = rate;
    deadline = step.deadline;
    if (step.sleep > sf::Time::Zero)
        sf::sleep(step.sleep);
}
