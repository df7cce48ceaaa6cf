#pragma once
// All randomness in the game goes through the C library's rand(), seeded once
// at start-up, so a test can srand(seed) and replay a map or a roll.

// Uniform integer in [a, b] inclusive; the bounds may come in either order.
// Equal bounds return that value without drawing a number.
int randInt(int a, int b);

// The value the next rand() will return, without drawing it: the generator
// continues exactly as if this had not been asked. For checksums of a
// running game, which must not change the game they sum.
int peekRand();
