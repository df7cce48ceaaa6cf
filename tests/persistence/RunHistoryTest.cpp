// The run history's text: a hand-written golden file both ways, damaged and
// foreign lines skipped while the rest is read, adding a run that keeps every
// other line (and on a full disk changes nothing), and a reset that keeps the
// old history beside the new one.
#include "persistence/RunHistory.h"

#include "core/AtomicFile.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

const std::string header =
    "#runs 1\tended\tmode\tseed\tlevels_cleared\tlevel_reached\tscore\tseconds\tdeaths\t"
    "kills_human\tkills_ranged\tkills_melee\thumans_saved\tend\tkiller\tweapon_kills\t"
    "recording";
const std::string died = "\t2026-12-07 16:49:09\tnormal\t\t2\t3\t5120\t312.5\t1\t0\t14\t9\t6\tdied\t"
                         "rangedAlien plasmaBolt\tPistol:11,Grenade:4\t2026-12-07 16-43-50.vrp";
const std::string quit = "\t2026-12-08 09:00:00\tdaily\tK7Q2\t0\t1\t-40\t40.0\t0\t1\t0\t2\t0\tquit\t\t\t";

RunRecord diedRun() {
    RunRecord run;
    run.endedAt = "2026-12-07 16:49:09";
    run.mode = "normal";
    run.levelsCleared = 2;
    run.levelReached = 3;
    run.score = 5120;
    run.seconds = 312.5f;
    run.deaths = 1;
    run.kills = {0, 14, 9};
    run.humansSaved = 6;
    run.ending = "died";
    run.killer = "rangedAlien plasmaBolt";
    run.weaponKills = {{"Pistol", 11}, {"Grenade", 4}};
    run.recording = "2026-12-07 16-43-50.vrp";
    return run;
}

std::vector<RunRecord> readText(const std::string& text) {
    std::istringstream in(text);
    return runHistory::read(in);
}

class RunHistoryFile : public ::testing::Test {
  protected:
    void SetUp() override {
        fs::remove_all(folder);
        fs::create_directories(folder);
    }
    void TearDown() override {
        diskCalls() = {::write, ::fsync};
        fs::remove_all(folder);
    }
    static std::string read(const fs::path& from) {
        std::ifstream in(from, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    fs::path folder = fs::temp_directory_path() / ("vantreth-runs-" + std::to_string(::getpid()));
    std::string path = (folder / "Runs.txt").string();
};

TEST(RunHistoryText, TheGoldenLayoutIsWrittenAndReadBackExactly) {
    EXPECT_EQ(runHistory::headerLine(), header);
    EXPECT_EQ(runHistory::formatLine(diedRun()), died);
    const std::vector<RunRecord> runs = readText(header + "\n" + died + "\r\n" + quit + "\n");
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(runs[0], diedRun());
    EXPECT_EQ(runs[1].score, -40);
    EXPECT_EQ(runs[1].seed, "K7Q2");
    EXPECT_TRUE(runs[1].weaponKills.empty());
    EXPECT_EQ(runHistory::formatLine(runs[1]), quit);

    // Text that would break a column or the weapon list is written as spaces.
    RunRecord odd = diedRun();
    odd.seed = "a\tb\nc";
    odd.weaponKills = {{"Big:Gun,2", 3}};
    const std::vector<RunRecord> back = readText(runHistory::formatLine(odd));
    ASSERT_EQ(back.size(), 1u);
    EXPECT_EQ(back[0].seed, "a b c");
    EXPECT_EQ(back[0].weaponKills[0].first, "Big Gun 2");
}

TEST(RunHistoryText, DamagedAndForeignLinesAreSkippedAndTheRestRead) {
    // A record cut short is skipped, unless only its last column was cut.
    for (std::size_t cut = 0; cut < died.size(); ++cut)
        EXPECT_EQ(readText(header + "\n" + died.substr(0, cut)).size(), cut > died.rfind('\t') ? 1u : 0u);
    std::string text = header + "\n" + died + "\n";
    text += "\tnot a date\tnormal\t\tx\t3\t0\t0\t0\t0\t0\t0\t0\tquit\t\t\t\n"; // a word for a number
    text += "\t2026-12-07 16:49:09\tnormal\t\t1\t2\t0\tnan\t0\t0\t0\t0\t0\tquit\t\t\t\n";
    text += "\t2026-12-07 16:49:09\tnormal\t\t1\t2\t0\t1\t0\t0\t0\t0\t0\tquit\t\tGun:-3\t\n";
    text += std::string("\xff\xfe garbage \0 line", 18) + "\n" + quit + "\n";
    const std::vector<RunRecord> runs = readText(text);
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(runs[0], diedRun());
    EXPECT_EQ(runs[1].mode, "daily");

    // A later version's columns are found by name; one it adds is passed over.
    const std::vector<RunRecord> later = readText("#runs 2\tmode\tnew\tended\tlevel_reached\tscore\n"
                                                  "\tdaily\t?\t2026-12-09 10:00:00\t7\t900\n");
    ASSERT_EQ(later.size(), 1u);
    EXPECT_EQ(later[0].mode, "daily");
    EXPECT_EQ(later[0].levelReached, 7);
    EXPECT_EQ(later[0].score, 900);
    // Without our header the columns are taken in this version's order.
    EXPECT_EQ(readText(died + "\n").size(), 1u);
    EXPECT_TRUE(readText("").empty());
}

TEST_F(RunHistoryFile, AddingARunKeepsEveryLineAndAFullDiskChangesNothing) {
    ASSERT_TRUE(runHistory::append(diedRun(), path));
    EXPECT_EQ(read(path), header + "\n" + died + "\n");
    // A damaged line and a missing last newline stay as they were.
    std::ofstream(path, std::ios::app) << "damaged\n" << quit;
    ASSERT_TRUE(runHistory::append(diedRun(), path));
    EXPECT_EQ(read(path), header + "\n" + died + "\ndamaged\n" + quit + "\n" + died + "\n");
    EXPECT_EQ(runHistory::load(path).size(), 3u);

    const std::string before = read(path);
    diskCalls().write = [](int, const void*, std::size_t) -> ssize_t {
        errno = ENOSPC;
        return -1;
    };
    EXPECT_FALSE(runHistory::append(diedRun(), path));
    diskCalls() = {::write, ::fsync};
    EXPECT_EQ(read(path), before);
    EXPECT_TRUE(runHistory::load((folder / "missing.txt").string()).empty());
}

TEST_F(RunHistoryFile, AResetKeepsEveryOldHistoryBesideTheNewOne) {
    ASSERT_TRUE(runHistory::append(diedRun(), path));
    const std::string first = read(path);
    std::string keptAs;
    ASSERT_TRUE(runHistory::reset(keptAs, path));
    EXPECT_EQ(keptAs, path + ".old");
    EXPECT_EQ(read(keptAs), first);
    EXPECT_TRUE(runHistory::load(path).empty());

    ASSERT_TRUE(runHistory::append(diedRun(), path));
    ASSERT_TRUE(runHistory::reset(keptAs, path));
    EXPECT_EQ(keptAs, path + ".old.2");
    EXPECT_EQ(read(path + ".old"), first) << "an earlier reset's file is never replaced";
    EXPECT_EQ(runHistory::load(keptAs).size(), 1u);
}

} // namespace
