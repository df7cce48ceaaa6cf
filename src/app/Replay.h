#pragma once
// Every run is recorded, and a recording can be played back through the
// game's own states. A run is fully described by its seed, the settings it
// was played with, where it started (a new game or a save), and frame by
// frame the step length and the input the game sampled; every 60 frames the
// recording also holds a checksum of the game's state, so a playback that
// drifts is caught where it drifts.
//
// The game loop drives both sides: recordFrame/afterFrame around each live
// frame, a ReplayPlayer instead of the devices while watching.
//
// The rule that keeps a recording honest: everything that decides what a
// frame does (the simulation, and every menu's choice of which button is lit
// or has the focus) reads only what the recording holds or what the
// simulation itself computed; never the disk, the clock, the window or the
// watcher's own settings. What the disk and the window say is sampled once a
// frame into the input (InputState's saveOnDisk, autosaveOnDisk, focusLost)
// and recorded with it; the settings, the options menu's working copies and
// the highscore table a run started with are in the header.

#include "persistence/ReplayFile.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class InputState;

namespace replay {

// Where recordings go, "data/Replays/" (with the slash); tests point it elsewhere.
extern std::string folder;
// Recordings kept besides those of highscore runs.
constexpr std::size_t keptRecordings = 20;
// The file name mark of a recording whose run entered the highscore table.
constexpr const char* highscoreMark = " highscore";
// The mark of a daily run's counted attempt, kept for the daily table.
constexpr const char* dailyMark = " daily";
constexpr std::uint32_t checksumEvery = 60;

// The game's version as recordings carry it.
extern const char* const gameVersion;
// The rules a recording was played under. Raised whenever play changes (the
// simulation, generation, the tables, or asset data that times play), so a
// recording of other rules is refused instead of played as if it were ours.
// Recordings from before it was kept count as revision 1.
constexpr std::uint32_t rulesRevision = 3;

// A digest of the content data the simulation reads, which a recording
// carries beside the rules revision: the score screen's count sound (its
// length times the screen) and the wall hull's shape file (the walls' light
// blockers). Assets that only look or sound different leave it alone.
std::uint32_t contentDigest();
// Why this game cannot play a recording as the run it shows, or "" when it
// can: other rules, or (when checkContent) other content data.
std::string unplayableReason(const Recording& recording, bool checkContent = true);

// A run begins (a new game, or a loaded save whose text is given): the
// generator is seeded afresh and a new recording starts, ending any other.
// While a recording is being watched, the generator gets the recording's seed instead.
void runStarts(Recording::Start start, const std::string& saveText = {});

// Around each live frame: after the input is sampled, and after the frame
// has run. afterFrame notices the run's end (the level left for the main
// menu, or a hardcore death settled) and writes the recording.
void recordFrame(float dt);
void afterFrame();
// Ends and writes the recording now (the game is closing); nothing when none runs.
void finishRecording();
bool recording();
// The file the last finished recording went to ("" when none was written).
const std::string& lastRecordingPath();

// The state a checksum covers: the player's place and health, the score, the
// level, the number of enemies and the generator's next value.
std::uint32_t stateChecksum();

InputSnapshot capture(const InputState& input);
// Makes a snapshot the frame's input, the previous frame's becoming the previous.
void restore(InputState& input, const InputSnapshot& snapshot);

// Whether the level is on the state stack: a run is going on.
bool levelOnStack();

// True while a recording is being watched or verified: nothing is recorded
// or written, and the window is never rebuilt.
bool watching();

// The seed line the screens show for the run being played or watched, with
// the rules revision it is played under; "" for a run without a seed.
std::string runLabel();

} // namespace replay

// Plays one recording back from its start.
class ReplayPlayer {
  public:
    enum class Status { Playing, Finished, Diverged };

    // False, with the reason in `error`, when the file is no usable recording.
    bool load(const std::string& path, std::string& error);
    // Puts the game where the run began: the recording's settings, the
    // viewer's saved for afterwards, writes held, the run started.
    void begin();
    // Plays the next frame (drawing nothing); Finished after the last,
    // Diverged when a checksum differs.
    Status advance();
    // The viewer's settings back, writes released, the game at the main menu.
    void end();

    const Recording& recording() const { return rec; }
    std::uint32_t frame() const { return played; }
    float secondsPlayed() const { return elapsed; }
    // The run's level and score as last seen while it was going on.
    int level() const { return runLevel; }
    int score() const { return runScore; }
    // The next frame's step, 0 at the end.
    float nextStep() const;
    Status status() const { return state; }

    // Set when no frame will be drawn (verifying): the light map is skipped.
    bool unseen = false;

  private:
    Recording rec;
    std::unique_ptr<ReplayDecoder> decoder;
    ReplayFrame upcoming;
    bool hasUpcoming = false;
    std::uint32_t played = 0;
    float elapsed = 0;
    int runLevel = 0, runScore = 0;
    Status state = Status::Playing;
    std::string viewerSettings;
    bool viewerInfoOnce = false, viewerUpgradeHelpOnce = false;
    MenuCopies viewerCopies;
    // The watcher's highscore table, which the recorded run's stands in for.
    struct TableState {
        std::vector<std::string> lines;
        std::array<std::string, 3> recentEntry;
        int recentIndex = -1;
        unsigned page = 0;
    } viewerTable;
};
