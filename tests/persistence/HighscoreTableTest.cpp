#include "persistence/HighscoreTable.h"

#include "core/Globals.h"
#include "core/Settings.h"
#include "support/RunDirFile.h"
#include "world/Score.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

// A table of n entries named E1.., scoring from top down in steps of 10, all on level 2.
Lines tableOf(int n, int top) {
    Lines lines;
    for (int i = 0; i < n; ++i) {
        lines.push_back("E" + std::to_string(i + 1));
        lines.push_back("2");
        lines.push_back(std::to_string(top - 10 * i));
    }
    return lines;
}

TEST(HighscoreRanking, EqualScoresAlreadyListedStayAhead) {
    Lines one{"Old", "4", "500"};
    EXPECT_FALSE(HighscoreTable::qualifies(one, 500));
    EXPECT_EQ(HighscoreTable::insertEntry(one, "Tie", 3, 500), -1);
    EXPECT_EQ(one.size(), 3u);
    EXPECT_TRUE(HighscoreTable::qualifies(one, 501));
    EXPECT_EQ(HighscoreTable::insertEntry(one, "New", 3, 501), 0);
    EXPECT_EQ(one, (Lines{"New", "3", "501", "Old", "4", "500"}));

    Lines two = tableOf(3, 300); // 300, 290, 280
    two[5] = "300";              // 300, 300, 280
    EXPECT_EQ(HighscoreTable::insertEntry(two, "Mid", 5, 300), 6);
    EXPECT_EQ(two[6], "Mid");
    EXPECT_EQ(two[11], "280");
}

TEST(HighscoreRanking, AFullTableDropsTheSixtyFirstEntry) {
    Lines full = tableOf(60, 1000); // the last scores 410
    EXPECT_FALSE(HighscoreTable::qualifies(full, 410));
    ASSERT_TRUE(HighscoreTable::qualifies(full, 411));
    EXPECT_EQ(HighscoreTable::insertEntry(full, "Last", 9, 411), 177);
    ASSERT_EQ(full.size(), 180u);
    EXPECT_EQ(full[177], "Last");
    EXPECT_EQ(full[179], "411");

    Lines again = tableOf(60, 1000);
    EXPECT_EQ(HighscoreTable::insertEntry(again, "Top", 9, 5000), 0);
    ASSERT_EQ(again.size(), 180u);
    EXPECT_EQ(again[0], "Top");
    EXPECT_EQ(again[177], "E59"); // E60 fell off
}

TEST(HighscoreRanking, MalformedTablesAreRankedWithoutReadingPastTheirEnd) {
    // A cut-short last entry is kept but never ranked.
    Lines cut{"A", "3", "700", "B", "2"};
    EXPECT_FALSE(HighscoreTable::qualifies(cut, 700));
    EXPECT_EQ(HighscoreTable::insertEntry(cut, "C", 1, 800), 0);
    EXPECT_EQ(cut, (Lines{"C", "1", "800", "A", "3", "700", "B", "2"}));
    Lines stub{"Lonely"};
    EXPECT_TRUE(HighscoreTable::qualifies(stub, 0));
    EXPECT_EQ(HighscoreTable::insertEntry(stub, "D", 1, 5), 0);
    EXPECT_EQ(stub.size(), 4u);

    // Score lines without digits count as 0; stray characters around digits are ignored.
    Lines junk{"A", "1", "score: 40", "B", "1", "lots"};
    EXPECT_TRUE(HighscoreTable::qualifies(junk, 1));
    EXPECT_EQ(HighscoreTable::insertEntry(junk, "C", 1, 20), 3);
    EXPECT_EQ(junk[3], "C");
}

TEST(HighscoreFile, LinesJoinWithoutATrailingNewlineAndReadBackTolerantly) {
    std::ostringstream out;
    HighscoreTable::writeLines(out, {"Ann", "3", "1200", "", "1", "0"});
    EXPECT_EQ(out.str(), "Ann\n3\n1200\n\n1\n0");
    std::istringstream in(out.str());
    EXPECT_EQ(HighscoreTable::readLines(in), (Lines{"Ann", "3", "1200", "", "1", "0"}));
    std::istringstream windows("Ann\r\n3\r\n1200\r\n");
    EXPECT_EQ(HighscoreTable::readLines(windows), (Lines{"Ann", "3", "1200"}));
}

class HighscoreFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        savedLevel = levelNumber;
        savedTotal = totalScore;
        savedName = previousName;
        HighscoreTable::destroyInstance();
    }
    void TearDown() override {
        HighscoreTable::destroyInstance();
        levelNumber = savedLevel;
        totalScore = savedTotal;
        previousName = savedName;
    }
    RunDirFile table{HighscoreTable::defaultPath};
    RunDirFile settings{"Config.cfg"};
    int savedLevel = 1, savedTotal = 0;
    std::string savedName;
};

TEST_F(HighscoreFileTest, AnInsertWritesTheNameAsItsOwnLineAndRemembersIt) {
    table.write("Bo\n2\n900");
    levelNumber = 4;
    totalScore = 1200;
    HighscoreTable* scores = HighscoreTable::getInstance();
    ASSERT_TRUE(scores->qualifies());
    scores->insert("Ann");
    EXPECT_EQ(table.read(), "Ann\n4\n1200\nBo\n2\n900");
    EXPECT_EQ(previousName, "Ann");
    EXPECT_NE(settings.read().find("PREVN:\nAnn\n"), std::string::npos);
    EXPECT_EQ(scores->recentIndex, 0);
}

TEST_F(HighscoreFileTest, AMissingFileIsAnEmptyTableAndIsNotCreatedByReading) {
    HighscoreTable* scores = HighscoreTable::getInstance();
    EXPECT_TRUE(scores->lines.empty());
    EXPECT_EQ(scores->pageCount(), 1u);
    EXPECT_FALSE(table.exists());
}

} // namespace
