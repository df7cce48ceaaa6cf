// Every test process plays in a run directory of its own. ctest starts the
// tests from the build's run directory, where the player's settings, saves,
// highscores and recordings live, and runs two at once: a test that wrote a
// save there would overwrite the player's and race the other process's.
// So before the first test the process moves into a fresh folder that links
// the assets and the executable of the run directory but holds its own
// settings and save folders, and removes it after the last test. Nothing a
// test writes through the game's relative paths reaches the run directory.

#include "app/Game.h"
#include "core/Contenthandler.h"
#include "support/GameFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
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
        layRunDir(shared, own);
        fs::current_path(own);
    }
    void TearDown() override {
        // The game's own shutdown lets go of every sound, which closes the
        // audio device: left open, its mixing thread can still be running
        // while the audio library tears itself down at exit, and abort it.
        if (Contenthandler::exists())
            shutDown();
        fs::current_path(shared);
        std::error_code ignored;
        fs::remove_all(own, ignored);
    }

  private:
    fs::path shared, own;
};

[[maybe_unused]] ::testing::Environment* const environment =
    ::testing::AddGlobalTestEnvironment(new PrivateRunDir);

} // namespace
