// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <random>

#include "check/UtcTime.h"
#include "decoders/TextWriter.h"

namespace {

TEST(UtcTime, AgreesWithTheCLibraryAcrossCenturies) {
    std::mt19937_64 random(42);
    std::uniform_int_distribution<std::int64_t> seconds(-62135596800, 253402300799);  // 1..9999
    for (int i = 0; i < 20000; ++i) {
        const auto time = static_cast<std::time_t>(seconds(random));
        std::tm expected{};
        gmtime_r(&time, &expected);
        const check::UtcTime utc = check::toUtc(time);
        ASSERT_EQ(utc.year, expected.tm_year + 1900LL) << time;
        ASSERT_EQ(utc.month, expected.tm_mon + 1) << time;
        ASSERT_EQ(utc.day, expected.tm_mday) << time;
        ASSERT_EQ(utc.hour * 3600 + utc.minute * 60 + utc.second,
                  expected.tm_hour * 3600 + expected.tm_min * 60 + expected.tm_sec)
            << time;
        ASSERT_EQ(check::fromUtc(utc), time);
    }
}

// The text up to the minute is kept from one time to the next: runs of seconds, jumps back
// and forth, the same minute on other days, times before 1970 and a change of the separator
// between date and time must each read right.
TEST(UtcTime, WritesWhatTheCLibraryWritesWhateverCameBefore) {
    std::mt19937_64 random(7);
    std::uniform_int_distribution<std::int64_t> seconds(-62135596800, 253402300799);
    std::uniform_int_distribution<int> step(0, 3);
    auto time = static_cast<std::time_t>(-120);
    for (int i = 0; i < 20000; ++i) {
        switch (step(random)) {
            case 0:
                time = static_cast<std::time_t>(seconds(random));
                break;
            case 1:
                time += 86400;
                break;  // the same minute a day later
            default:
                time += 1;
                break;
        }
        std::tm utc{};
        gmtime_r(&time, &utc);
        std::array<char, 64> expected{};
        expected.at(0) = '\0';
        std::snprintf(expected.data(), expected.size(), "%04d-%02d-%02d %02d:%02d:%02d",
                      utc.tm_year + 1900, utc.tm_mon + 1, utc.tm_mday, utc.tm_hour, utc.tm_min,
                      utc.tm_sec);
        std::string text;
        const char between = step(random) == 0 ? 'T' : ' ';  // the CSV's and the report's
        {
            decoders::TextWriter writer(text);
            check::writeUtc(writer, time, between);
        }
        expected.at(10) = between;
        ASSERT_EQ(text, expected.data()) << time;
    }
}

TEST(UtcTime, FormatsAndRefusesDaysThatDoNotExist) {
    std::string text;
    check::appendUtc(text, 1262401445);
    EXPECT_EQ(text, "2010-01-02 03:04:05");
    EXPECT_TRUE(check::fromUtc({2000, 2, 29, 0, 0, 0}));
    EXPECT_FALSE(check::fromUtc({1900, 2, 29, 0, 0, 0}));
    EXPECT_FALSE(check::fromUtc({2010, 4, 31, 0, 0, 0}));
    EXPECT_FALSE(check::fromUtc({2010, 1, 1, 0, 60, 0}));
}

}  // namespace
