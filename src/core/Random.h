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

// For the lifetime of this object rand() draws from a stream of its own,
// started from `seed`; the stream drawn from before continues afterwards
// exactly where it stood. A seeded run makes each level and each upgrade
// offer inside one, so what the player did before never shifts them.
// Scopes nest; each must end before the one it was opened in.
class SeparateStream {
  public:
    explicit SeparateStream(unsigned seed);
    ~SeparateStream();
    SeparateStream(const SeparateStream&) = delete;
    SeparateStream& operator=(const SeparateStream&) = delete;

  private:
    // The same size as the C library's own table, so the stream is the one srand(seed) starts.
    alignas(4) char table[128];
    char* previous;
};
