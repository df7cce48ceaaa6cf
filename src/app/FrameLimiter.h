#pragma once
// Holds the frame loop to a chosen rate by sleeping until a deadline that
// moves on by one period each frame. Sleeping for the rest of each frame
// instead would add every oversleep to that frame, and the loop would run a
// few percent slow at high rates; with a deadline the next frame makes up
// for it. The frame loop owns one for the levels' cap.

#include <SFML/System/Clock.hpp>
#include <SFML/System/Time.hpp>

class FrameLimiter {
  public:
    // Ends the frame at rate frames per second. Rate 0 waits for nothing and
    // makes the next capped frame start a fresh count.
    void wait(int rate);

    // The schedule's arithmetic, apart from the clock: the frame ending at
    // `now` moves the deadline on and says how long to sleep.
    struct Step {
        sf::Time deadline;
        sf::Time sleep;
    };
    static Step next(sf::Time deadline, sf::Time now, int rate, bool freshCount);

  private:
    sf::Clock clock;
    sf::Time deadline;
    int currentRate = 0;
};
