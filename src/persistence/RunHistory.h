#pragma once
// The history of finished runs, "data/SaveData/Runs.txt": one line per run,
// oldest first, in tab-separated columns under a header line that names
// them after the format's mark and version ("#runs 1"). A person can read it
// and a script can split it; columns are found by their names, so a later
// version may add some. A line that cannot be read is skipped, never the
// file: adding a run keeps every other line as it was, damaged ones too.
// This file only reads and writes; the shell decides when a run is added.

#include <array>
#include <iosfwd>
#include <string>
#include <utility>
#include <vector>

// One finished run.
struct RunRecord {
    std::string endedAt; // local date and time, "YYYY-MM-DD HH:MM:SS"
    std::string mode;    // "normal", "hardcore", "seeded" or "daily"
    std::string seed;    // the run's seed code, "" when it has none
    int levelsCleared = 0;
    int levelReached = 0;
    int score = 0;
    float seconds = 0; // time played
    int deaths = 0;
    std::array<int, 3> kills{}; // by actor kind: humans, ranged aliens, melee aliens
    int humansSaved = 0;
    std::string ending; // "died", "quit", "loaded" (another run) or "closed" (the game)
    std::string killer; // what dealt the last hit of a death ("rangedAlien plasmaBolt"), "" otherwise
    // Aliens killed by each of the player's weapons, by base name.
    std::vector<std::pair<std::string, int>> weaponKills;
    std::string recording; // the file name of the run's recording, "" when none was written

    bool operator==(const RunRecord&) const = default;
};

namespace runHistory {

constexpr const char* defaultPath = "data/SaveData/Runs.txt";
constexpr int version = 1;

// The text form. The header names every column; a record is one line.
std::string headerLine();
std::string formatLine(const RunRecord& run);
// Every readable record of a history, oldest first. Without a header of
// ours the columns are taken in this version's order.
std::vector<RunRecord> read(std::istream& in);

// The file form. load gives the records of the file (none when it is missing
// or unreadable). append adds one record after the file's text, written
// beside the old file and renamed over it: false (the old file as it was)
// when that failed, as on a full disk.
std::vector<RunRecord> load(const std::string& path = defaultPath);
bool append(const RunRecord& run, const std::string& path = defaultPath);
// Starts a new, empty history, keeping the old file beside it as
// "<path>.old" (".old.2" and on, never replacing an earlier one). Returns the
// old file's new name ("" when there was none), or nothing when the old file
// could not be moved or the new one written.
bool reset(std::string& keptAs, const std::string& path = defaultPath);

} // namespace runHistory
