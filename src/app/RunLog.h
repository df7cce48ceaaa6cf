#pragma once
// The tally of the run being played, kept from what the level reports (kills,
// hits, deaths) and from the level flow (levels cleared), and the record of
// it that goes into the run history when the run ends. The death recap reads
// the tally; nothing in it reads the disk or the clock while the run goes on:
// the date is taken, and the record written, only once the run has ended,
// and never for a run being watched.

#include "persistence/RunHistory.h"
#include "world/HitSource.h"
#include "world/LevelEvent.h"

#include <deque>
#include <map>
#include <string>
#include <vector>

namespace runlog {

// What kind of run this is and its seed code. The one place the history and
// the recap learn it: "normal" or "hardcore" from the hardcore setting, no seed.
struct RunIdentity {
    std::string mode;
    std::string seed;
};
RunIdentity currentRunIdentity();

struct Hit {
    HitSource source;
    float damage = 0;
};

struct Tally {
    RunIdentity identity;
    int levelsCleared = 0;
    int deaths = 0;
    std::array<int, 3> kills{}; // by actorKind
    int humansSaved = 0;
    std::map<std::string, int> weaponKills; // aliens killed by each of the player's weapons
    std::deque<Hit> recentHits;             // the last hits taken, newest first
    // The last death: what dealt the blow, on which level, after how long in it.
    HitSource killer;
    int deathLevel = 0;
    float deathSeconds = 0;
    bool dead = false; // died, and neither restarted nor went on since
};

constexpr std::size_t recentHitCount = 5;

// Where records go; tests point it elsewhere.
extern std::string historyPath;

// A run begins, watched or played: the tally starts over.
void runStarts();
// What a level reported this frame, on level `level` after `elapsed` seconds in it.
void note(const std::vector<LevelEvent>& events, int level, float elapsed);
// The level was cleared with this many humans saved.
void levelCleared(int humansSaved);
// The player is back in a level after a death ("Restart").
void levelRestarted();
const Tally& current();

// How a run ended, unless it ended with the player dead.
enum class Ending { quit, loaded, closed };
// The run being recorded ended: its record goes into the history, dated now.
// A full disk costs the record, never the game. `recording` is the file name
// of its recording ("" when none was written).
void runEnds(Ending ending, int levelReached, int score, float seconds, const std::string& recording);
// The record of the current tally, as runEnds writes it (without the date).
RunRecord record(Ending ending, int levelReached, int score, float seconds, const std::string& recording);

// How the recap and the page name a source: "a ranged alien's plasma bolt", "your own grenade".
std::string describe(const HitSource& source);
// The killer column of Runs.txt ("rangedAlien plasmaBolt"), and back.
std::string killerCode(const HitSource& source);
HitSource killerFromCode(const std::string& code);

} // namespace runlog
