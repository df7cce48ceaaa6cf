#pragma once
// The three whole-number steps that scaling an item to a level draws from:
// the level itself, half of it and twice it, each truncated. Levels beyond
// any reachable run are held back so the steps stay inside an int.

#include <algorithm>
#include <cmath>

struct LevelSteps {
    explicit LevelSteps(float level) {
        float l = std::isfinite(level) ? std::clamp(level, -1.0e6f, 1.0e6f) : 0.0f;
        whole = static_cast<int>(l);
        half = static_cast<int>(l * 0.5f);
        twice = static_cast<int>(l * 2.0f);
    }
    int whole = 0;
    int half = 0;
    int twice = 0;
};
