#pragma once
// Every file the game writes (settings, saves, highscores) goes through here:
// the text is written to "<path>.tmp" beside the old file and renamed over
// it, so a crash or a full disk mid-write never leaves a damaged file.

#include <functional>
#include <iosfwd>
#include <string>

// Writes through write(out) with the classic locale, first creating the file's
// folder when asked to. False (and the old file untouched) when any step failed.
bool writeFileAtomically(const std::string& path, const std::function<void(std::ostream&)>& write,
                         bool createFolder);

// While held (someone else's run is being watched), nothing is written or
// deleted: every write reports success and leaves the disk as it was.
void holdWrites(bool held);
bool writesHeld();
