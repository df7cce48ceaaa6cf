#pragma once
// What kind of run is being played and, for a seeded or daily run, its seed:
// the one place the shell reads it from (the pause menu, the game-over and
// score screens, the history of runs). The level flow writes it when a run
// starts or a save is loaded, and a recording carries it.

#include "core/SeedCode.h"

#include <cstdint>
#include <string>

enum class RunKind : std::uint8_t { normal = 0, hardcore = 1, seeded = 2, daily = 3 };

struct RunIdentity {
    RunKind kind = RunKind::normal;
    Seed seed = 0;   // seeded and daily runs
    std::string day; // a daily run's UTC day, "YYYY-MM-DD"
    // A daily run that is the day's first attempt, and so enters the day's
    // table; later attempts the same day are practice.
    bool counts = false;

    // Whether levels and offers come from the seed.
    bool seeded() const { return kind == RunKind::seeded || kind == RunKind::daily; }
    // "K7QX-M2PA", or "" for a run without a seed.
    std::string seedText() const { return seeded() ? formatSeed(seed) : std::string(); }
    // The rules that set a kind apart. A daily run has one life whatever the
    // hardcore setting, keeps no saves and takes none away; only the runs of
    // "New Game" and loaded saves enter the highscore table.
    bool oneLife(bool hardcoreSetting) const { return hardcoreSetting || kind == RunKind::daily; }
    bool keepsSaves() const { return kind != RunKind::daily; }
    bool entersHighscores() const { return !seeded(); }

    // One line for the screens: "Seed K7QX-M2PA", "Daily 2026-12-07 K7QX-M2PA",
    // with " (practice)" for an attempt that does not count; "" without a seed.
    std::string label() const;

    bool operator==(const RunIdentity&) const = default;
};

// The run being played (or watched).
extern RunIdentity currentRun;
