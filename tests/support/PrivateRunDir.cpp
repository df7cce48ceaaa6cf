// Every test process plays in a run directory of its own. ctest starts the
// tests from the build's run directory, where the player's settings, saves,
// highscores and recordings live, and runs two at once: a test that wrote a
// save there would overwrite the player's and race the other process's.
// So before the first test the process moves into a fresh folder that links
// the assets and the executable of the run directory but holds its own
// settings and save folders, and removes it after the last test. Nothing a
// test writes through the game's relative paths reaches the run directory.

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

#include <unistd.h>

namespace {

namespace fs = std::filesystem;

class PrivateRunDir : public ::testing::Environment {
  public:
    void SetUp() override {
        shared = fs::current_path();
        own = fs::temp_directory_path() / ("vantreth-test-run-" + std::to_string(::getpid()));
        fs::remove_all(own);
        // What the game writes gets folders of its own; everything else is linked.
        linkAllBut(shared, own, {"Config.cfg", "SaveData", "data"});
        linkAllBut(shared / "data", own / "data", {"SaveData", "Replays"});
        fs::create_directories(own / "data" / "SaveData");
        fs::create_directories(own / "SaveData");
        fs::current_path(own);
    }
    void TearDown() override {
        fs::current_path(shared);
        std::error_code ignored;
        fs::remove_all(own, ignored);
    }

  private:
    static void linkAllBut(const fs::path& from, const fs::path& to, const std::set<std::string>& kept) {
        fs::create_directories(to);
        std::error_code missing;
        for (const fs::directory_entry& entry : fs::directory_iterator(from, missing))
            if (!kept.count(entry.path().filename().string()))
                fs::create_symlink(entry.path(), to / entry.path().filename());
    }

    fs::path shared, own;
};

[[maybe_unused]] ::testing::Environment* const environment =
    ::testing::AddGlobalTestEnvironment(new PrivateRunDir);

} // namespace
