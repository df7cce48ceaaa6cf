#pragma once
// The daily run's table, "data/SaveData/Daily.xd": one line per UTC day the
// player attempted the daily, newest first. A line holds the day, how many
// attempts were started that day, the best score of any of them, and the
// day's counted attempt (the first): name, score, level reached, length in
// seconds and the file name of its recording. Fields are separated by tabs.
// The reader keeps every well-formed line and skips a damaged one (a last
// line without its end was cut short), so a broken line costs that day and
// nothing else.

#include <iosfwd>
#include <string>
#include <vector>

struct DailyDay {
    std::string day; // "YYYY-MM-DD", UTC
    int attempts = 0;
    int best = 0;
    // The counted attempt; until it ends, the name it will enter under and nothing scored.
    std::string name;
    int score = 0;
    int level = 0;
    float seconds = 0;
    std::string recording; // a file name in the recordings' folder, "" when none was written
    bool operator==(const DailyDay&) const = default;
};

// What an attempt scored when it ended (died or was quit).
struct DailyResult {
    int score = 0;
    int level = 0;
    float seconds = 0;
    std::string recording;
};

struct DailyTable {
    static constexpr const char* defaultPath = "data/SaveData/Daily.xd";

    std::vector<DailyDay> days; // newest first, one per day

    // The text form.
    static DailyTable read(std::istream& in);
    void write(std::ostream& out) const;
    // The file form: a missing or unreadable file is an empty table; saving
    // writes beside the old file and renames over it (false when it failed).
    static DailyTable load(const std::string& path = defaultPath);
    bool save(const std::string& path = defaultPath) const;

    const DailyDay* find(const std::string& day) const;

    // The rules. An attempt counts from the moment it starts: beginAttempt
    // notes it and says whether it is the day's first, the one that counts.
    bool beginAttempt(const std::string& day, const std::string& name);
    // The attempt's score raises the day's best; a counted attempt's result
    // becomes the day's entry.
    void endAttempt(const std::string& day, bool counts, const DailyResult& result);
};
