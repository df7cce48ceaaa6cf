#include "app/FrameLimiter.h"

#include <SFML/System/Sleep.hpp>

void FrameLimiter::wait(int rate) {
    if (rate <= 0) {
        currentRate = 0;
        return;
    }
    const sf::Time period = sf::microseconds(1000000 / rate);
    const sf::Time now = clock.getElapsedTime();
    // A loop that fell more than a frame behind (a level loading, a stall)
    // starts over rather than racing through frames to catch up.
    if (rate != currentRate || now > deadline + period)
        deadline = now;
    currentRate = rate;
    deadline += period;
    if (deadline > now)
        sf::sleep(deadline - now);
}
