#include "persistence/DailyTable.h"

#include "support/RunDirFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>

namespace {

// The exact layout, newest day first.
const std::string golden = "2026-12-08\t3\t5120\tAstra\t4200\t4\t318.5\t2026-12-08 10-00-00 daily.vrp\n"
                           "2026-12-07\t1\t0\tBo\t0\t0\t0\t\n";

DailyTable readText(const std::string& text) {
    std::istringstream in(text);
    return DailyTable::read(in);
}

TEST(DailyTable, TheGoldenTableReadsAndWritesByteForByte) {
    DailyTable table = readText(golden);
    ASSERT_EQ(table.days.size(), 2u);
    EXPECT_EQ(table.days[0],
              (DailyDay{"2026-12-08", 3, 5120, "Astra", 4200, 4, 318.5f, "2026-12-08 10-00-00 daily.vrp"}));
    std::ostringstream out;
    table.write(out);
    EXPECT_EQ(out.str(), golden);
}

TEST(DailyTable, DamagedLinesAreSkippedAndTheRestKept) {
    const std::string damaged = "2026-12-06\t1\t10\tC\t10\t1\t5\tx.vrp\r\n"              // kept
                                "2026-12-05\t1\t10\tD\t10\t1\t5\n"                       // a field short
                                "2026-1X-04\t1\t10\tD\t10\t1\t5\tx.vrp\n"                // no day
                                "2026-12-03\t-1\t10\tD\t10\t1\t5\tx.vrp\n"               // negative
                                "2026-12-03\t1\t10\tD\t99999999999\t1\t5\tx.vrp\n"       // beyond an int
                                "2026-12-03\t1\t10\tD\t10\t1\tnan\tx.vrp\n"              // no length
                                "2026-12-03\t1\t10\tSixteen letters!\t10\t1\t5\tx.vrp\n" // name too long
                                "2026-12-03\t1\t10\tD\t10\t1\t5\t../../Config.cfg\n"     // not a plain name
                                "\n\t\t\t\t\t\t\t\n"
                                "2026-12-06\t9\t99\tE\t99\t9\t9\ty.vrp\n"; // the day again
    const DailyTable table = readText(golden + damaged);
    ASSERT_EQ(table.days.size(), 3u);
    EXPECT_EQ(table.days[1].day, "2026-12-07");
    EXPECT_EQ(table.days[2], (DailyDay{"2026-12-06", 1, 10, "C", 10, 1, 5, "x.vrp"}));
    // A file cut anywhere keeps exactly the whole lines before the cut.
    for (std::size_t cut = 0; cut <= golden.size(); ++cut) {
        const std::string part = golden.substr(0, cut);
        ASSERT_EQ(readText(part).days.size(),
                  static_cast<std::size_t>(std::count(part.begin(), part.end(), '\n')))
            << cut;
    }
}

TEST(DailyTable, TheFirstAttemptOfADayCountsEvenAcrossARestartOfTheGame) {
    RunDirFile file{"data/SaveData/Daily-test.xd"};
    DailyTable table;
    ASSERT_TRUE(table.beginAttempt("2026-12-07", "Astra\tX"));
    ASSERT_TRUE(table.save(file.path));

    // The game closed before the attempt ended; started again, the day's attempt has been had.
    DailyTable again = DailyTable::load(file.path);
    EXPECT_FALSE(again.beginAttempt("2026-12-07", "Astra"));
    again.endAttempt("2026-12-07", false, {900, 3, 100, "practice.vrp"});
    const DailyDay& day = again.days[0];
    EXPECT_EQ(day, (DailyDay{"2026-12-07", 2, 900, "AstraX", 0, 0, 0, ""}))
        << "practice enters only the best";
    again.endAttempt("2026-12-07", true, {400, 2, 50.5f, "counted.vrp"});
    EXPECT_EQ(again.days[0], (DailyDay{"2026-12-07", 2, 900, "AstraX", 400, 2, 50.5f, "counted.vrp"}));

    // The next UTC day counts again, and goes first.
    EXPECT_TRUE(again.beginAttempt("2026-12-08", "Astra"));
    EXPECT_EQ(again.days[0].day, "2026-12-08");
    EXPECT_EQ(again.find("2026-12-07")->attempts, 2);
}

} // namespace
