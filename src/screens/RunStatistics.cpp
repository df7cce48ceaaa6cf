#include "screens/RunStatistics.h"

#include <algorithm>
#include <map>

std::vector<const RunRecord*> runsOfMode(const std::vector<RunRecord>& history, const std::string& mode) {
    std::vector<const RunRecord*> runs;
    runs.reserve(history.size());
    for (const RunRecord& run : history)
        if (mode.empty() || run.mode == mode)
            runs.push_back(&run);
    return runs;
}

RunStatistics summarise(const std::vector<const RunRecord*>& runs) {
    RunStatistics s;
    std::map<std::string, long long> weaponKills;
    for (const RunRecord* run : runs) {
        ++s.runs;
        s.deaths += run->deaths;
        s.levelsCleared += run->levelsCleared;
        s.bestLevel = std::max(s.bestLevel, run->levelReached);
        s.bestScore = std::max(s.bestScore, run->score);
        s.seconds += run->seconds;
        for (std::size_t k = 0; k < s.kills.size(); ++k)
            s.kills[k] += run->kills[k];
        s.humansSaved += run->humansSaved;
        for (const auto& [weapon, count] : run->weaponKills)
            weaponKills[weapon] += count;
    }
    // Ties go to the name first in order, so the pick never flickers between two.
    for (const auto& [weapon, count] : weaponKills)
        if (count > s.favouriteWeaponKills) {
            s.favouriteWeapon = weapon;
            s.favouriteWeaponKills = count;
        }
    return s;
}

std::vector<float> levelsReached(const std::vector<const RunRecord*>& runs, std::size_t count) {
    std::vector<float> levels;
    const std::size_t first = runs.size() > count ? runs.size() - count : 0;
    for (std::size_t i = first; i < runs.size(); ++i)
        levels.push_back(static_cast<float>(runs[i]->levelReached));
    return levels;
}

std::vector<float> scorePerLevel(const std::vector<const RunRecord*>& runs, std::size_t points) {
    std::vector<float> values;
    for (const RunRecord* run : runs)
        if (run->levelsCleared > 0)
            values.push_back(static_cast<float>(run->score) / static_cast<float>(run->levelsCleared));
    if (points == 0 || values.size() <= points)
        return values;
    std::vector<float> averaged;
    for (std::size_t p = 0; p < points; ++p) {
        const std::size_t from = p * values.size() / points, to = (p + 1) * values.size() / points;
        double sum = 0;
        for (std::size_t i = from; i < to; ++i)
            sum += values[i];
        averaged.push_back(static_cast<float>(sum / static_cast<double>(to - from)));
    }
    return averaged;
}
