#include "core/AtomicFile.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <locale>
#include <random>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

namespace fs = std::filesystem;

// A folder of its own per process: tests run in parallel.
class AtomicFile : public ::testing::Test {
  protected:
    void SetUp() override {
        folder = fs::temp_directory_path() / ("vantreth-atomic-" + std::to_string(getpid()));
        fs::remove_all(folder);
        fs::create_directories(folder);
        path = (folder / "file.txt").string();
    }
    void TearDown() override {
        diskCalls() = {::write, ::fsync};
        fs::remove_all(folder);
    }

    static bool write(const std::string& to, const std::string& text, bool createFolder = false,
                      bool keepBackup = false) {
        return writeFileAtomically(
            to, [&](std::ostream& out) { out << text; }, createFolder, keepBackup);
    }
    static std::string read(const std::string& from) {
        std::ifstream in(from, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }

    fs::path folder;
    std::string path;
};

TEST_F(AtomicFile, ReplacesTheWholeFileAndLeavesNothingBeside) {
    ASSERT_TRUE(write(path, "a longer first version\n"));
    ASSERT_TRUE(write(path, "short\n"));
    EXPECT_EQ(read(path), "short\n");
    EXPECT_FALSE(fs::exists(path + ".tmp"));
}

TEST_F(AtomicFile, AFailedWriteKeepsTheOldFileAndRemovesItsScratch) {
    ASSERT_TRUE(write(path, "old\n"));
    EXPECT_FALSE(writeFileAtomically(
        path,
        [](std::ostream& out) {
            out << "half a new";
            out.setstate(std::ios::badbit); // as a full disk leaves the stream
        },
        false));
    EXPECT_EQ(read(path), "old\n");
    EXPECT_FALSE(fs::exists(path + ".tmp"));

    // A folder standing where the file should go cannot be renamed over.
    fs::create_directories(folder / "taken");
    EXPECT_FALSE(write((folder / "taken").string(), "text"));
    EXPECT_TRUE(fs::is_directory(folder / "taken"));
    EXPECT_FALSE(fs::exists(folder / "taken.tmp"));
}

TEST_F(AtomicFile, AMissingFolderIsMadeOnlyWhenAskedFor) {
    std::string nested = (folder / "a" / "b" / "file.txt").string();
    EXPECT_FALSE(write(nested, "x"));
    EXPECT_FALSE(fs::exists(folder / "a"));
    EXPECT_TRUE(write(nested, "x", true));
    EXPECT_EQ(read(nested), "x");
}

// A decimal comma from the user's locale would make every float unreadable.
TEST_F(AtomicFile, NumbersAreWrittenWithADecimalPointWhateverTheLocale) {
    struct Comma : std::numpunct<char> {
        char do_decimal_point() const override { return ','; }
    };
    std::locale previous = std::locale::global(std::locale(std::locale::classic(), new Comma));
    bool written = writeFileAtomically(
        path, [](std::ostream& out) { out << 1.5; }, false);
    std::locale::global(previous);
    ASSERT_TRUE(written);
    EXPECT_EQ(read(path), "1.5");
}

TEST_F(AtomicFile, TheReplacedFileIsKeptAsTheBackupWhenAskedFor) {
    ASSERT_TRUE(write(path, "first\n", false, true));
    EXPECT_FALSE(fs::exists(backupPath(path)));
    ASSERT_TRUE(write(path, "second\n", false, true));
    ASSERT_TRUE(write(path, "third\n", false, true));
    EXPECT_EQ(read(path), "third\n");
    EXPECT_EQ(read(backupPath(path)), "second\n");
    ASSERT_TRUE(write(path, "fourth\n"));
    EXPECT_EQ(read(backupPath(path)), "second\n");

    // A damaged file goes aside under a name of its own, never over an earlier one.
    EXPECT_EQ(setAside(path), path + ".damaged");
    ASSERT_TRUE(write(path, "fifth\n"));
    EXPECT_EQ(setAside(path), path + ".damaged.2");
    EXPECT_EQ(read(path + ".damaged"), "fourth\n");
    EXPECT_EQ(read(path + ".damaged.2"), "fifth\n");
    EXPECT_FALSE(fs::exists(path));
}

// A killed process leaves its writes in the page cache, where the kill test
// cannot tell them from writes on the disk; the flushes themselves can be seen.
std::string* watched = nullptr;
std::vector<std::string> flushes;

TEST_F(AtomicFile, TheFileIsFlushedBeforeTheRenameAndTheFolderAfterIt) {
    ASSERT_TRUE(write(path, "old\n"));
    watched = &path;
    flushes.clear();
    diskCalls().fsync = [](int fd) {
        std::error_code error;
        fs::path flushed = fs::read_symlink("/proc/self/fd/" + std::to_string(fd), error);
        flushes.push_back(flushed.string() + " with " + read(*watched) + " and backup " +
                          read(backupPath(*watched)));
        return ::fsync(fd);
    };
    ASSERT_TRUE(write(path, "new\n", false, true));
    ASSERT_EQ(flushes.size(), 2u);
    EXPECT_EQ(flushes[0], path + ".tmp with old\n and backup ");
    EXPECT_EQ(flushes[1], folder.string() + " with new\n and backup old\n");

    // A folder that cannot be flushed is a failed write: the rename may not last.
    diskCalls().fsync = [](int fd) {
        struct stat info {};
        fstat(fd, &info);
        errno = EIO;
        return S_ISDIR(info.st_mode) ? -1 : 0;
    };
    EXPECT_FALSE(write(path, "newer\n"));
}

TEST_F(AtomicFile, AFullDiskKeepsTheOldFileAndItsBackup) {
    ASSERT_TRUE(write(path, "old\n", false, true));
    ASSERT_TRUE(write(path, "current\n", false, true));
    // Part of the bytes go, then the disk is full.
    diskCalls().write = [](int fd, const void* bytes, std::size_t count) -> ssize_t {
        if (count > 4)
            return ::write(fd, bytes, count / 2);
        errno = ENOSPC;
        return -1;
    };
    EXPECT_FALSE(write(path, std::string(10000, 'x'), false, true));
    // A disk that takes the bytes but fails to keep them.
    diskCalls().write = ::write;
    diskCalls().fsync = [](int) {
        errno = EIO;
        return -1;
    };
    EXPECT_FALSE(write(path, std::string(10000, 'y'), false, true));
    EXPECT_EQ(read(path), "current\n");
    EXPECT_EQ(read(backupPath(path)), "old\n");
    EXPECT_FALSE(fs::exists(path + ".tmp"));
}

// A writer killed at random moments, a few hundred times over. After every
// kill the file holds a whole version, the newest or the one before, and
// the backup the same one or the one before it.
TEST_F(AtomicFile, AWriterKilledAtAnyMomentLeavesTheNewFileOrTheOneBefore) {
    auto version = [](long n) {
        return "version " + std::to_string(n) + "\n" + std::string(20000 + n % 7 * 1000, 'a' + n % 26) + "\n";
    };
    // The version a file holds whole, or -1.
    auto versionIn = [&](const std::string& file) {
        std::string text = read(file);
        std::istringstream in(text);
        std::string word;
        long n = -1;
        in >> word >> n;
        return word == "version" && text == version(n) ? n : -1;
    };
    ASSERT_TRUE(write(path, version(0), false, true));
    ASSERT_TRUE(write(path, version(0), false, true));
    std::mt19937 random(31);
    long newest = 0;
    int cutShort = 0;
    for (int kill = 0; kill < 300; ++kill) {
        pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0)
            for (long n = newest + 1;; ++n)
                write(path, version(n), false, true);
        std::this_thread::sleep_for(std::chrono::microseconds(random() % 3000));
        ::kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
        cutShort += fs::exists(path + ".tmp");
        long now = versionIn(path), backup = versionIn(backupPath(path));
        ASSERT_GE(now, newest) << "after kill " << kill;
        ASSERT_TRUE(backup == now || backup == now - 1)
            << "after kill " << kill << ": " << backup << ", " << now;
        newest = now;
    }
    // Not a run of kills that all came before the first write or between two writes.
    EXPECT_GT(newest, 0);
    EXPECT_GT(cutShort, 0);
}

} // namespace
