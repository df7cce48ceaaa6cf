#pragma once
// Every file the game keeps for the player (settings, saves, highscores,
// recordings) goes through here. The text is written to "<path>.tmp" beside
// the old file, forced to the disk, renamed over the old file, and then the
// folder is forced to the disk too: a crash, a power cut or a full disk at
// any moment leaves either the old file or the new one, whole.

#include <cstddef>
#include <functional>
#include <iosfwd>
#include <string>
#include <sys/types.h>
#include <vector>

// Writes through write(out) with the classic locale, first creating the file's
// folder when asked to. With keepBackup the file it replaces stays as
// backupPath(path), pushing out the backup before it. False (and the old
// file untouched) when any step failed.
bool writeFileAtomically(const std::string& path, const std::function<void(std::ostream&)>& write,
                         bool createFolder, bool keepBackup = false);

// Where a write with keepBackup keeps the file it replaced: "<path>.bak".
std::string backupPath(const std::string& path);

// Moves a damaged file out of the way without losing it: it becomes
// "<path>.damaged" (or ".damaged.2" and on, never replacing an earlier one).
// Returns the new name, or "" when the file stayed where it was.
std::string setAside(const std::string& path);

// Removes the files and forces their folders to the disk, so that what was
// removed stays removed after a power cut. False when one could not go.
bool removeFiles(const std::vector<std::string>& paths);

// While held (someone else's run is being watched), nothing is written or
// deleted: every write reports success and leaves the disk as it was.
void holdWrites(bool held);
bool writesHeld();

// The calls that put the bytes on the disk and force them there. A test puts
// its own in to watch the flushes or to make a write fail as a full disk does.
struct DiskCalls {
    ssize_t (*write)(int fd, const void* bytes, std::size_t count);
    int (*fsync)(int fd);
};
DiskCalls& diskCalls();
