// The Runs page's figures: lifetime sums over the runs of a mode, the
// favourite weapon summed across runs, and the chart series.
#include "screens/RunStatistics.h"

#include <gtest/gtest.h>

namespace {

RunRecord run(const std::string& mode, int cleared, int score,
              std::vector<std::pair<std::string, int>> weapons) {
    RunRecord r;
    r.mode = mode;
    r.levelsCleared = cleared;
    r.levelReached = cleared + 1;
    r.score = score;
    r.deaths = 1;
    r.seconds = 60;
    r.kills = {1, 2, 3};
    r.weaponKills = std::move(weapons);
    return r;
}

TEST(RunStatistics, FiguresSumTheRunsOfAModeAndTheFavouriteWeaponAllItsKills) {
    // The shotgun wins no single run outright but kills the most over all of them.
    const std::vector<RunRecord> history = {
        run("normal", 2, 900, {{"Pistol", 5}, {"Shotgun", 4}}),
        run("hardcore", 0, 50, {{"Nuke", 40}}),
        run("normal", 4, 2000, {{"Pistol", 1}, {"Shotgun", 4}}),
        run("normal", 0, 10, {}),
    };
    const RunStatistics normal = summarise(runsOfMode(history, "normal"));
    EXPECT_EQ(normal.runs, 3);
    EXPECT_EQ(normal.deaths, 3);
    EXPECT_EQ(normal.levelsCleared, 6);
    EXPECT_EQ(normal.bestLevel, 5);
    EXPECT_EQ(normal.bestScore, 2000);
    EXPECT_DOUBLE_EQ(normal.seconds, 180);
    EXPECT_EQ(normal.kills, (std::array<long long, 3>{3, 6, 9}));
    EXPECT_EQ(normal.favouriteWeapon, "Shotgun");
    EXPECT_EQ(normal.favouriteWeaponKills, 8);
    EXPECT_EQ(summarise(runsOfMode(history, "")).favouriteWeapon, "Nuke");
    EXPECT_EQ(summarise(runsOfMode(history, "daily")).runs, 0);
    EXPECT_TRUE(summarise({}).favouriteWeapon.empty());
}

TEST(RunStatistics, ChartsShowTheLastRunsAndScorePerLevelOfRunsThatClearedOne) {
    std::vector<RunRecord> history;
    for (int i = 0; i < 120; ++i)
        history.push_back(run("normal", i % 3, 300 * (i % 3), {}));
    const std::vector<const RunRecord*> all = runsOfMode(history, "");
    const std::vector<float> levels = levelsReached(all, 50);
    ASSERT_EQ(levels.size(), 50u);
    EXPECT_EQ(levels.front(), static_cast<float>(70 % 3 + 1));
    EXPECT_EQ(levels.back(), static_cast<float>(119 % 3 + 1));
    EXPECT_EQ(levelsReached(all, 500).size(), 120u);

    // 80 runs cleared a level, each scoring 300 per level; averaged into 30 points, none lost.
    const std::vector<float> perLevel = scorePerLevel(all, 1000);
    ASSERT_EQ(perLevel.size(), 80u);
    for (float v : perLevel)
        EXPECT_FLOAT_EQ(v, 300);
    const std::vector<float> averaged = scorePerLevel(all, 30);
    ASSERT_EQ(averaged.size(), 30u);
    for (float v : averaged)
        EXPECT_FLOAT_EQ(v, 300);
}

} // namespace
