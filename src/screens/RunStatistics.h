#pragma once
// Lifetime figures and chart series drawn from the run history: plain
// functions on records, so the Runs page and the tests share them.

#include "persistence/RunHistory.h"

#include <array>
#include <string>
#include <vector>

struct RunStatistics {
    int runs = 0;
    long long deaths = 0;
    long long levelsCleared = 0;
    int bestLevel = 0;
    int bestScore = 0;
    double seconds = 0;
    std::array<long long, 3> kills{}; // by actor kind
    long long humansSaved = 0;
    // The weapon with the most alien kills over all runs, "" when none killed any.
    std::string favouriteWeapon;
    long long favouriteWeaponKills = 0;
};

// Runs of one mode ("" for every mode), oldest first as the history keeps them.
std::vector<const RunRecord*> runsOfMode(const std::vector<RunRecord>& history, const std::string& mode);

RunStatistics summarise(const std::vector<const RunRecord*>& runs);

// The level reached by each of the last `count` runs, oldest first.
std::vector<float> levelsReached(const std::vector<const RunRecord*>& runs, std::size_t count);
// Score per level cleared of the runs that cleared one, oldest first, with
// neighbouring runs averaged so that at most `points` remain.
std::vector<float> scorePerLevel(const std::vector<const RunRecord*>& runs, std::size_t points);
