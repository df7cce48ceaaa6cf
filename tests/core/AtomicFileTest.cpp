#include "core/AtomicFile.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <locale>
#include <sstream>
#include <string>

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
    void TearDown() override { fs::remove_all(folder); }

    static bool write(const std::string& to, const std::string& text, bool createFolder = false) {
        return writeFileAtomically(
            to, [&](std::ostream& out) { out << text; }, createFolder);
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

} // namespace
