#include "core/AtomicFile.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <locale>
#include <set>
#include <sstream>
#include <system_error>
#include <unistd.h>

namespace {

bool held = false;
DiskCalls calls{::write, ::fsync};

std::string folderOf(const std::string& path) {
    std::string folder = std::filesystem::path(path).parent_path().string();
    return folder.empty() ? "." : folder;
}

bool writeAll(int fd, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        ssize_t written = calls.write(fd, bytes.data() + done, bytes.size() - done);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        done += static_cast<std::size_t>(written);
    }
    return true;
}

// The bytes under a scratch name, on the disk before anything is renamed:
// otherwise a power cut after the rename can leave an empty file in the old
// one's place. The scratch goes again when any step fails.
bool writeDurably(const std::string& scratch, const std::string& bytes) {
    int fd = ::open(scratch.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0)
        return false;
    bool ok = writeAll(fd, bytes) && calls.fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    if (!ok)
        ::unlink(scratch.c_str());
    return ok;
}

// A rename is only lasting once the folder's list of names is on the disk.
// Some file systems cannot flush a folder (EINVAL); there nothing more can be done.
bool syncFolder(const std::string& folder) {
    int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return false;
    bool ok = calls.fsync(fd) == 0 || errno == EINVAL;
    ::close(fd);
    return ok;
}

// The file about to be replaced becomes the backup. A second name is linked
// to it and renamed over the old backup, so at every moment both names hold
// a whole file. A file system without links gets a copy instead.
void keepAsBackup(const std::string& path) {
    // Only a file is kept: whatever else stands at the name (a folder) cannot
    // be read, and the rename over it fails the write anyway.
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        return;
    const std::string backup = backupPath(path);
    const std::string scratch = backup + ".tmp";
    // A killed writer may have left one; link() would refuse to replace it.
    ::unlink(scratch.c_str());
    if (::link(path.c_str(), scratch.c_str()) != 0) {
        if (errno == ENOENT)
            return;
        std::ifstream in(path, std::ios::binary);
        if (!in || !writeDurably(scratch, std::string(std::istreambuf_iterator<char>(in), {})))
            return;
    }
    if (::rename(scratch.c_str(), backup.c_str()) != 0)
        ::unlink(scratch.c_str());
}

} // namespace

void holdWrites(bool hold) {
    held = hold;
}

bool writesHeld() {
    return held;
}

DiskCalls& diskCalls() {
    return calls;
}

std::string backupPath(const std::string& path) {
    return path + ".bak";
}

bool writeFileAtomically(const std::string& path, const std::function<void(std::ostream&)>& write,
                         bool createFolder, bool keepBackup) {
    if (held)
        return true;
    const std::string folder = folderOf(path);
    std::error_code ignored;
    if (createFolder && std::filesystem::create_directories(folder, ignored))
        syncFolder(folderOf(folder));

    std::ostringstream text;
    // The formats' decimal point is '.', whatever locale the process runs in.
    text.imbue(std::locale::classic());
    write(text);
    if (!text)
        return false;

    const std::string temporary = path + ".tmp";
    if (!writeDurably(temporary, text.str()))
        return false;
    if (keepBackup)
        keepAsBackup(path);
    if (::rename(temporary.c_str(), path.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return false;
    }
    return syncFolder(folder);
}

std::string setAside(const std::string& path) {
    if (held)
        return "";
    std::error_code error;
    for (int n = 1; n < 1000; ++n) {
        std::string aside = path + ".damaged" + (n > 1 ? "." + std::to_string(n) : "");
        if (std::filesystem::exists(aside, error))
            continue;
        if (::rename(path.c_str(), aside.c_str()) != 0)
            return "";
        syncFolder(folderOf(path));
        return aside;
    }
    return "";
}

bool removeFiles(const std::vector<std::string>& paths) {
    if (held)
        return true;
    bool ok = true;
    std::set<std::string> folders;
    for (const std::string& path : paths) {
        if (::unlink(path.c_str()) == 0)
            folders.insert(folderOf(path));
        else if (errno != ENOENT)
            ok = false;
    }
    for (const std::string& folder : folders)
        ok = syncFolder(folder) && ok;
    return ok;
}
