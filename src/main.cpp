#include "app/Game.h"

int main() {
    return runGame();
}
