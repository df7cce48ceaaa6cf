#include "core/Timer.h"

void Timer::start() {
    remaining = previous = duration;
    running = true;
}

void Timer::stop() {
    remaining = previous = duration;
    running = false;
}

void Timer::tick(float elapsed) {
    if (!running)
        return;
    previous = remaining;
    remaining -= elapsed;
}
