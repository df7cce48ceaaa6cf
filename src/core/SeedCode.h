#pragma once
// Seeds a person can read aloud and type: 40 bits written as eight
// characters of a 32-character alphabet that holds no two look-alikes,
// shown in two groups of four ("K7QX-M2PA"). Also the generators a seeded
// run draws from, each started from (seed, level, what it is for), and the
// seed of a day's daily run. Pure rules: no clock, no disk.

#include <cstdint>
#include <ctime>
#include <optional>
#include <string>

using Seed = std::uint64_t; // 40 bits

constexpr int seedCodeLength = 8;
constexpr Seed seedMask = (Seed{1} << 40) - 1;

// "K7QX-M2PA"; bits above the 40 are ignored.
std::string formatSeed(Seed seed);

// A typed code: case, spaces and dashes are ignored, and a look-alike (O for
// 0, I or L for 1) is read as its twin. Any other text gives no seed and
// `why` says which character is not allowed, or that the code is too short
// or too long.
std::optional<Seed> parseSeed(const std::string& text, std::string& why);

// What a generator of a seeded run is for. Each draws from its own stream,
// so what one of them draws never shifts another.
enum class SeedPurpose : std::uint32_t { run = 0, level = 1, offers = 2 };

// The value to start the C generator from for the given seed, level and
// purpose; `round` tells apart the draws of one purpose on one level (the
// upgrade screen's first offer is round 0, each reroll the next). Every bit
// of the seed reaches every bit of the value.
unsigned derivedSeed(Seed seed, int level, SeedPurpose purpose, int round = 0);

// The UTC day of a moment, "YYYY-MM-DD".
std::string utcDay(std::time_t moment);
// The daily run's seed for a UTC day under the given rules revision: every
// copy of the same game plays the same daily, and another revision another one.
Seed dailySeed(const std::string& day, std::uint32_t rulesRevision);
