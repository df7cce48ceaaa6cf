#include "core/SeedCode.h"

#include "core/Random.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <string>

namespace {

TEST(SeedCode, EveryWayOfWritingACodeReadsToTheSameSeed) {
    std::string why;
    const std::optional<Seed> seed = parseSeed("10QX-M2PA", why);
    ASSERT_TRUE(seed) << why;
    EXPECT_EQ(formatSeed(*seed), "10QX-M2PA");
    // Case, spaces and dashes do not matter; O is read as 0, I and L as 1.
    for (const char* typed : {"10qx-m2pa", "10QXM2PA", " 1 0 Q X M 2 P A ", "1-0-qx--m2pa", "LOQX-M2PA",
                              "iOqx m2pa", "l0QXM2PA\t"})
        EXPECT_EQ(parseSeed(typed, why), seed) << typed << ": " << why;
}

TEST(SeedCode, ACodeWithAnyOtherCharacterIsRefusedNamingIt) {
    std::string why;
    for (char c = 33; c < 127; ++c) {
        const std::string allowed = "0123456789ABCDEFGHJKMNPQRSTVWXYZabcdefghjkmnpqrstvwxyzOoIiLl-";
        if (allowed.find(c) != std::string::npos)
            continue;
        EXPECT_FALSE(parseSeed(std::string("K7Q") + c + "M2PA", why)) << c;
        EXPECT_EQ(why, std::string("\"") + c + "\" is not allowed in a seed");
    }
    EXPECT_FALSE(parseSeed("K7QX-M2P\xc3\xa9", why));
    EXPECT_EQ(why, "a seed holds only letters and digits");
    EXPECT_FALSE(parseSeed("K7QX-M2P", why));
    EXPECT_EQ(why, "a seed has 8 characters, this one 7");
    EXPECT_FALSE(parseSeed("K7QX-M2PAA", why));
    EXPECT_FALSE(parseSeed("", why));
}

TEST(SeedCode, RandomSeedsSurviveARoundTripAndEveryBitReachesTheDerivedSeeds) {
    std::mt19937_64 dice(20261207);
    std::string why;
    for (int i = 0; i < 2000; ++i) {
        const Seed seed = dice() & seedMask;
        const std::string code = formatSeed(seed);
        ASSERT_EQ(code.size(), 9u);
        ASSERT_EQ(code[4], '-');
        ASSERT_EQ(parseSeed(code, why), seed) << code;
    }
    // A seed differing in any one of its 40 bits starts other levels, offers and runs.
    const Seed seed = 0x5A5A5A5A5Aull;
    for (int bit = 0; bit < 40; ++bit)
        for (SeedPurpose purpose : {SeedPurpose::run, SeedPurpose::level, SeedPurpose::offers})
            EXPECT_NE(derivedSeed(seed ^ (Seed{1} << bit), 3, purpose), derivedSeed(seed, 3, purpose)) << bit;
    EXPECT_NE(derivedSeed(seed, 3, SeedPurpose::level), derivedSeed(seed, 4, SeedPurpose::level));
    EXPECT_NE(derivedSeed(seed, 3, SeedPurpose::level), derivedSeed(seed, 3, SeedPurpose::offers));
    EXPECT_NE(derivedSeed(seed, 3, SeedPurpose::offers, 0), derivedSeed(seed, 3, SeedPurpose::offers, 1));
}

TEST(DailySeed, FixedDaysGiveFixedCodesAndUtcMidnightStartsTheNextDay) {
    // Written once: every copy of the game must play these dailies under these rules.
    EXPECT_EQ(formatSeed(dailySeed("2026-12-07", 3)), "P5Y0-JDXA");
    EXPECT_EQ(formatSeed(dailySeed("2026-12-08", 3)), "NR06-XG2B");
    EXPECT_EQ(formatSeed(dailySeed("2027-01-01", 3)), "TJZQ-PDJT");
    EXPECT_NE(dailySeed("2026-12-07", 3), dailySeed("2026-12-07", 4));

    const std::time_t midnight = 1796688000; // 2026-12-08 00:00:00 UTC
    EXPECT_EQ(utcDay(midnight - 1), "2026-12-07");
    EXPECT_EQ(utcDay(midnight), "2026-12-08");
    // The local time zone has no say.
    setenv("TZ", "Pacific/Kiritimati", 1);
    tzset();
    EXPECT_EQ(utcDay(midnight - 1), "2026-12-07");
    unsetenv("TZ");
    tzset();
}

TEST(SeparateStream, DrawsTheSeedsOwnNumbersAndLeavesTheOuterStreamWhereItStood) {
    std::srand(77);
    const int first = std::rand();
    const int second = std::rand();
    std::srand(5);
    const int ownFirst = std::rand();
    std::srand(77);
    ASSERT_EQ(std::rand(), first);
    {
        SeparateStream stream(5);
        EXPECT_EQ(std::rand(), ownFirst);
        {
            SeparateStream inner(9);
            std::rand();
        }
        for (int i = 0; i < 100; ++i)
            std::rand();
    }
    EXPECT_EQ(std::rand(), second);
}

} // namespace
