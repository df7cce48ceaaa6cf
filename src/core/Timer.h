#pragma once
// A countdown used by everything that waits: cooldowns, fuses, reloads,
// invulnerability, menu labels and the state handler's delayed push.
// It remembers the previous value so a caller can see the frame in which it
// crossed zero exactly once.

struct Timer {
    float duration = 0;
    bool running = false;
    float remaining = 0;
    float previous = 0;

    void start();
    void stop();
    // Advances a running timer by elapsed seconds; a stopped timer stays put.
    void tick(float elapsed);
    bool expired() const { return running && remaining <= 0; }
    bool crossedZero() const { return remaining <= 0 && previous > 0; }
};
