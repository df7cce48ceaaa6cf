#pragma once
// A recorded run: what it started from (the seed, the settings in force, the
// save it was loaded from), then frame by frame the step length and the input
// as the game sampled it, only what changed since the frame before, with a
// checksum of the game's state every so often. Reading and writing only: how
// a recording is made and played is the game loop's (app/Replay.h).
//
// The reader trusts nothing: every length and count is checked against what
// the bytes hold, so a cut, emptied or foreign file is refused with a reason
// instead of read past its end.

#include "core/RunKind.h"

#include <bitset>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// One frame's input as the game's input state held it after sampling.
struct InputSnapshot {
    static constexpr int keyCount = 255;
    static constexpr int maxPadButtons = 32;

    std::bitset<keyCount> keys;
    std::uint8_t buttons = 0; // mouse buttons, bit per button
    int windowMouseX = 0, windowMouseY = 0;
    int mouseX = 0, mouseY = 0; // view units
    bool padConnected = false;
    std::uint32_t padButtons = 0;
    float leftX = 0, leftY = 0, rightX = 0, rightY = 0;
    bool padActive = false;
    bool hasFocus = true;
    // The window lost the focus during this frame's events, even when it
    // came back before the frame sampled the devices.
    bool focusLost = false;
    // What the disk said this frame: whether "Load Save" and "Load Autosave"
    // have a file behind them. Menus read this instead of the disk, so a
    // recording decides the same whatever files the watcher has.
    bool saveOnDisk = false, autosaveOnDisk = false;
    float aimX = 1, aimY = 0;

    bool operator==(const InputSnapshot&) const = default;
};

struct ReplayFrame {
    float dt = 0;
    InputSnapshot input;
    // Set on the frames after which the game's state was summed.
    std::optional<std::uint32_t> checksum;
};

// Turns frames into bytes, each against the one before.
class ReplayEncoder {
  public:
    void add(const ReplayFrame& frame);
    const std::string& bytes() const { return out; }
    std::uint32_t frames() const { return count; }

  private:
    std::string out;
    InputSnapshot last;
    float lastDt = 0;
    std::uint32_t count = 0;
};

// Reads the frames back one at a time; false at the end or at bytes that
// make no frame (then failed() is set).
class ReplayDecoder {
  public:
    explicit ReplayDecoder(const std::string& bytes) : in(bytes) {}
    bool next(ReplayFrame& frame);
    bool failed() const { return broken; }

  private:
    const std::string& in;
    std::size_t at = 0;
    InputSnapshot last;
    float lastDt = 0;
    bool broken = false;
};

// The working copies of the options menu as they stood when a run began:
// what its "Apply" compares against, and so which of its buttons are lit.
struct MenuCopies {
    bool known = false; // false in recordings older than the copies
    std::int32_t resolution = 0, antialiasing = 0, musicVolume = 0, soundVolume = 0;
    bool vsync = false, fullscreen = false, hardcore = false;
    bool operator==(const MenuCopies&) const = default;
};

struct Recording {
    // 2 added the rules revision, the content digest, the highscore table and
    // the menu copies to the header, 3 the run's kind and seed; frames are
    // the same in all.
    static constexpr std::uint16_t formatVersion = 3;
    enum class Start : std::uint8_t { NewRun = 0, Save = 1 };

    std::uint16_t format = formatVersion; // as read from the file
    std::uint32_t rules = 1;              // the rules revision it was played under
    std::uint32_t contentDigest = 0;      // of the content data the simulation reads
    std::string gameVersion;
    std::string startedAt; // local time, "YYYY-MM-DD HH:MM:SS"
    std::uint32_t seed = 0;
    bool hardcore = false;
    Start start = Start::NewRun;
    std::string settings; // the settings file's text at the start
    bool showGameInfo = false, showUpgradeHelp = false;
    std::string save; // the save's text when the run was loaded from one
    // The highscore table as the run found it: whether a hardcore death
    // ranks is decided against it, not against the watcher's table.
    std::vector<std::string> highscores;
    MenuCopies menuCopies;
    // A seeded or daily run's seed, and for a daily run its day and whether
    // the attempt counts, as decided when it started.
    RunIdentity run{};
    float shake = 0;     // the camera's shake at the start
    float startStep = 0; // the step of the frame the run began in
    InputSnapshot input; // the input of the frame the run began in

    // How it ended.
    std::int32_t levelReached = 0;
    std::int32_t score = 0;
    std::uint32_t frames = 0;
    float seconds = 0;
    std::uint32_t finalChecksum = 0; // the state after the last frame

    std::string frameBytes;
};

std::string encodeRecording(const Recording& recording);
// The recording, or nothing with `error` saying what is wrong with the bytes.
// The frames are walked once, so a recording that comes back plays to its end.
std::optional<Recording> decodeRecording(const std::string& bytes, std::string& error);

// File forms: written beside and renamed over like every file of the game.
bool writeRecording(const std::string& path, const Recording& recording);
std::optional<Recording> readRecording(const std::string& path, std::string& error);

// What the list of recordings shows, read from the files of a folder, newest first.
struct RecordingEntry {
    std::string path;
    std::string startedAt;
    std::int32_t levelReached = 0, score = 0;
    float seconds = 0;
    bool hardcore = false;
    std::uint32_t rules = 1, contentDigest = 0;
    RunIdentity run{};
};
std::vector<RecordingEntry> listRecordings(const std::string& folder);

// Deletes the oldest recordings of the folder beyond the newest `keep`,
// sparing every file whose name holds one of `keptMarks`.
void pruneRecordings(const std::string& folder, std::size_t keep, const std::vector<std::string>& keptMarks);
