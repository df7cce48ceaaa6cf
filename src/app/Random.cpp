#include "app/Random.h"

#include <cstdlib>
#include <utility>

int randInt(int a, int b) {
    if (a > b)
        std::swap(a, b);
    if (a == b)
        return a;
    return a + std::rand() % (b - a + 1);
}
