#include "app/DailyRun.h"

#include "core/SeedCode.h"
#include "core/Settings.h"
#include "persistence/DailyTable.h"
#include "persistence/HighscoreTable.h"
#include "persistence/ReplayFile.h"
#include "screens/LevelFlow.h"

#include <ctime>
#include <filesystem>
#include <iostream>

std::string todayUtc() {
    return utcDay(std::time(nullptr));
}

void startTodaysDaily() {
    const std::string day = todayUtc();
    DailyTable table = DailyTable::load();
    std::string name = HighscoreTable::cleanName(previousName);
    const bool counts = table.beginAttempt(day, name.empty() ? "Player" : name);
    // A table that cannot be written cannot hold the attempt: it is played as practice.
    const bool noted = table.save();
    if (!noted)
        std::cout << "The daily table could not be written to " << DailyTable::defaultPath << std::endl;
    startDailyRun(day, counts && noted);
}

void dailyAttemptEnded(const Recording& recording, const std::string& path) {
    DailyTable table = DailyTable::load();
    table.endAttempt(recording.run.day, recording.run.counts,
                     {recording.score, recording.levelReached, recording.seconds,
                      path.empty() ? "" : std::filesystem::path(path).filename().string()});
    if (!table.save())
        std::cout << "The daily table could not be written to " << DailyTable::defaultPath << std::endl;
}
