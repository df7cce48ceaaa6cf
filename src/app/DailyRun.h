#pragma once
// The shell's side of the daily run: what only the shell may ask, the clock
// and the daily table, asked once as an attempt starts, and the table kept
// when it ends. The run itself reads neither: its day and whether it counts
// travel in its recording.

#include <string>

struct Recording;

// Today's UTC day, from the clock.
std::string todayUtc();

// Starts an attempt at today's daily run. The attempt is noted in the table
// before the first frame, so it counts even when the game is closed at once;
// the day's first attempt counts, later ones are practice.
void startTodaysDaily();

// A daily attempt's recording was finished (written to `path`, or "" when it
// could not be): its score goes into the day's best, and a counted attempt's
// result and recording become the day's entry.
void dailyAttemptEnded(const Recording& recording, const std::string& path);
