#include "core/Random.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <utility>

int randInt(int a, int b) {
    if (a > b)
        std::swap(a, b);
    if (a == b)
        return a;
    return a + std::rand() % (b - a + 1);
}

int peekRand() {
    // rand() runs on the C library's additive generator, whose whole state
    // is the table initstate/setstate hand over. Switching to a scratch table
    // stores the live position in the live table; a copy of that table then
    // draws the value, and switching back resumes the live one untouched.
    // The default table is 128 bytes, and srand() never changes its size.
    constexpr std::size_t tableBytes = 128;
    alignas(std::int32_t) static char scratch[tableBytes];
    alignas(std::int32_t) char copy[tableBytes];
    char* live = initstate(1, scratch, tableBytes);
    std::memcpy(copy, live, tableBytes);
    setstate(copy);
    int value = std::rand();
    setstate(live);
    return value;
}

SeparateStream::SeparateStream(unsigned seed) : previous(initstate(seed, table, sizeof table)) {}

SeparateStream::~SeparateStream() {
    setstate(previous);
}
