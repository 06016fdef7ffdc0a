// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include "batch/FrameLine.h"
#include "common/ExampleFrame.h"

namespace {

using batch::readFrameLine;

TEST(FrameLine, ReadsTheFieldsWithOrWithoutTimeAndVoka) {
    const struct {
        const char* line;
        std::optional<std::time_t> time;
    } cases[] = {
        {"86 A6 00 7F C0 1234 2B75 90 8F 80 80", std::nullopt},
        {"VOKA 86 A6 00 7F C0 1234 2B75 90 8F 80 80", std::nullopt},
        {"\tvoka\t86 A6  00 7F C0 1234 2B75 90 8F 80 80  ", std::nullopt},
        {"2010-01-02 03:04:05 VOKA 86 A6 00 7F C0 1234 2B75 90 8F 80 80", 1262401445},
        {"2010-01-02T03:04:05Z Voka 86 A6 00 7F C0 1234 2B75 90 8F 80 80\r", 1262401445},
        {"2000-02-29 23:59:59 86 A6 00 7F C0 1234 2B75 90 8F 80 80", 951868799},
        {"2010-01-02t03:04:05z VOKA 86 A6 00 7F C0 1234 2B75 90 8F 80 80", 1262401445},
        // A leap second is the last second of its minute: 2016-12-31 23:59:59.
        {"2016-12-31 23:59:60 86 A6 00 7F C0 1234 2B75 90 8F 80 80", 1483228799},
        {"2016-12-31T23:59:60Z 86 A6 00 7F C0 1234 2B75 90 8F 80 80", 1483228799},
    };
    for (const auto& c : cases) {
        const auto read = readFrameLine(c.line);
        const auto* frame = std::get_if<batch::LoggedFrame>(&read);
        ASSERT_NE(frame, nullptr) << c.line;
        EXPECT_EQ(frame->texts, exampleFrame) << c.line;
        EXPECT_EQ(frame->time, c.time) << c.line;
    }
}

TEST(FrameLine, DashMarksAFieldNotCopied) {
    const auto read = readFrameLine("- A6 - - - - - - - - zz");
    const auto& frame = std::get<batch::LoggedFrame>(read);
    EXPECT_EQ(frame.texts, (check::FrameTexts{"", "A6", "", "", "", "", "", "", "", "", "zz"}));
}

TEST(FrameLine, SkipsBlankLinesAndComments) {
    for (const char* line : {"", "   ", "\t\r", "# VOKA 86", "  #comment"}) {
        EXPECT_TRUE(std::holds_alternative<batch::NoFrame>(readFrameLine(line))) << line;
    }
}

TEST(FrameLine, SaysWhatIsWrongWithABadLine) {
    const struct {
        const char* line;
        const char* reason;
    } cases[] = {
        {"VOKA", "found 0"},
        {"86 A6 00 7F C0 1234 2B75 90 8F 80", "found 10"},
        {"86 A6 00 7F C0 1234 2B75 90 8F 80 80 80", "found 12"},
        {"2010-01-02 86 A6 00 7F C0 1234 2B75 90 8F 80 80", "malformed time"},
        {"2010-13-02 03:04:05 86 A6 00 7F C0 1234 2B75 90 8F 80 80", "malformed time"},
        {"2010-02-30 03:04:05 86 A6 00 7F C0 1234 2B75 90 8F 80 80", "malformed time"},
        {"2010-01-02 24:00:00 86 A6 00 7F C0 1234 2B75 90 8F 80 80", "malformed time"},
        {"2010-01-02T03:04:05 86 A6 00 7F C0 1234 2B75 90 8F 80 80", "malformed time"},
        {"2016-12-31 23:58:60 86 A6 00 7F C0 1234 2B75 90 8F 80 80", "malformed time"},
        {"2016-12-31 23:59:61 86 A6 00 7F C0 1234 2B75 90 8F 80 80", "malformed time"},
    };
    for (const auto& c : cases) {
        const auto read = readFrameLine(c.line);
        const auto* bad = std::get_if<batch::BadLine>(&read);
        ASSERT_NE(bad, nullptr) << c.line;
        EXPECT_NE(bad->reason.find(c.reason), std::string::npos) << c.line << ": " << bad->reason;
    }
}

TEST(FrameLine, ANulByteMakesTheLineBad) {
    for (const std::string& line : {std::string("86") + '\0' + " A6 00 7F C0 1234 2B75 90 8F 80 80",
                                    std::string("# comment\0", 10), std::string(1, '\0')}) {
        const auto read = readFrameLine(line);
        const auto* bad = std::get_if<batch::BadLine>(&read);
        ASSERT_NE(bad, nullptr);
        EXPECT_EQ(bad->reason, "NUL byte in the line");
    }
}

TEST(FrameLine, OnlyTheFirstVokaIsTheFrameWord) {
    const auto read = readFrameLine("VOKA VOKA 86 A6 00 7F C0 1234 2B75 90 8F 80");
    EXPECT_EQ(std::get<batch::LoggedFrame>(read).texts[0], "VOKA");
}

}  // namespace
