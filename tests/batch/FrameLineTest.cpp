// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "batch/FrameLine.h"
#include "batch/LineTokens.h"
#include "common/ExampleFrame.h"

namespace {

using batch::LineRead;

// A line read on its own, with its frame's texts kept.
struct Read {
    LineRead line;
    check::FrameTexts texts;
    std::optional<std::time_t> time;
};

Read readFrameLine(std::string_view line) {
    check::Frame frame;
    frame.time = 1;  // a time from an earlier line must not stay
    LineRead read = batch::readFrameLine(line, frame);
    return {std::move(read), frame.texts.copies(), frame.time};
}

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
        const Read read = readFrameLine(c.line);
        ASSERT_EQ(read.line.kind, LineRead::Kind::Frame) << c.line;
        EXPECT_EQ(read.texts, exampleFrame) << c.line;
        EXPECT_EQ(read.time, c.time) << c.line;
    }
}

TEST(FrameLine, DashMarksAFieldNotCopied) {
    const Read read = readFrameLine("- A6 - - - - - - - - zz");
    ASSERT_EQ(read.line.kind, LineRead::Kind::Frame);
    EXPECT_EQ(read.texts, (check::FrameTexts{"", "A6", "", "", "", "", "", "", "", "", "zz"}));
}

TEST(FrameLine, SkipsBlankLinesAndComments) {
    for (const char* line : {"", "   ", "\t\r", "# VOKA 86", "  #comment"}) {
        EXPECT_EQ(readFrameLine(line).line.kind, LineRead::Kind::NoFrame) << line;
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
        // A clock is checked a word at a time: the bytes next to the digits, and a digit
        // with its high bit set, are not digits; a separator must be the separator.
        {"2010-01-02 03:04:0/ 86 A6 00 7F C0 1234 2B75 90 8F 80 80", "malformed time"},
        {"2010-01-02 :3:04:05 86 A6 00 7F C0 1234 2B75 90 8F 80 80", "malformed time"},
        {"2010-01-02 03:04:\xB0"
         "5 86 A6 00 7F C0 1234 2B75 90 8F 80 80",
         "malformed time"},
        {"2010-01-02 03;04:05 86 A6 00 7F C0 1234 2B75 90 8F 80 80", "malformed time"},
        {"2010-01-02T03:04-05Z 86 A6 00 7F C0 1234 2B75 90 8F 80 80", "malformed time"},
        {"2010-01-0:T03:04:05Z 86 A6 00 7F C0 1234 2B75 90 8F 80 80", "found 12"},
    };
    for (const auto& c : cases) {
        const Read read = readFrameLine(c.line);
        ASSERT_EQ(read.line.kind, LineRead::Kind::Bad) << c.line;
        EXPECT_NE(read.line.reason.find(c.reason), std::string::npos)
            << c.line << ": " << read.line.reason;
    }
}

TEST(FrameLine, ANulByteMakesTheLineBad) {
    for (const std::string& line : {std::string("86") + '\0' + " A6 00 7F C0 1234 2B75 90 8F 80 80",
                                    std::string("# comment\0", 10), std::string(1, '\0')}) {
        const Read read = readFrameLine(line);
        ASSERT_EQ(read.line.kind, LineRead::Kind::Bad);
        EXPECT_EQ(read.line.reason, "NUL byte in the line");
    }
}

// A word that is not VOKA in some case is a field, and the line then has twelve.
TEST(FrameLine, OnlyVokaInAnyCaseIsTheFrameWord) {
    for (const char* word : {"vOkA", "VOKA"}) {
        EXPECT_EQ(
            readFrameLine(std::string(word) + " 86 A6 00 7F C0 1234 2B75 90 8F 80 80").line.kind,
            LineRead::Kind::Frame)
            << word;
    }
    for (const char* word : {"V0KA", "VOK", "VOKAS", "VOK!", "vok\x01", "\x16OKA"}) {
        const Read read =
            readFrameLine(std::string(word) + " 86 A6 00 7F C0 1234 2B75 90 8F 80 80");
        EXPECT_EQ(read.line.reason, "expected 11 fields (H0 H1 H2 H3 H4 A B C D E F), found 12")
            << word;
    }
}

TEST(FrameLine, OnlyTheFirstVokaIsTheFrameWord) {
    EXPECT_EQ(readFrameLine("VOKA VOKA 86 A6 00 7F C0 1234 2B75 90 8F 80").texts[0], "VOKA");
}

}  // namespace

// The line is read in blocks of 64 bytes: tokens that cross a block's end, or fill one, are
// whole, whatever the line's length.
TEST(LineTokens, TokensAreWholeAcrossBlocks) {
    const std::string longToken(150, 'x');
    const struct {
        const char* name;
        std::string line;
        std::vector<std::string> tokens;
    } cases[] = {
        {"short", " ab\tc ", {"ab", "c"}},
        {"token across the first block's end",
         std::string(60, ' ') + "abcdefgh z",
         {"abcdefgh", "z"}},
        {"line of one whole block ending in a token", std::string(62, ' ') + "ab", {"ab"}},
        {"line of two whole blocks ending in a token",
         std::string(100, ' ') + std::string(28, 'q'),
         {std::string(28, 'q')}},
        {"token longer than a block", "a " + longToken + " b", {"a", longToken, "b"}},
        {"blank at a block's last byte", std::string(63, 'y') + " z", {std::string(63, 'y'), "z"}},
        {"blank at a block's first byte", std::string(64, 'y') + " z", {std::string(64, 'y'), "z"}},
    };
    for (const auto& c : cases) {
        const batch::LineTokens tokens = batch::tokensOf(c.line);
        ASSERT_EQ(tokens.count, c.tokens.size()) << c.name;
        for (std::size_t i = 0; i < c.tokens.size(); ++i) {
            EXPECT_EQ(tokens.first[i], c.tokens[i]) << c.name << ", token " << i;
        }
        EXPECT_FALSE(tokens.hasNul) << c.name;
    }
}

TEST(LineTokens, KeepsTheFirstFourteenAndCountsTheRest) {
    std::string line;
    for (int i = 0; i < 40; ++i) {
        line += std::to_string(i) + (i % 3 == 0 ? "\t" : "  ");
    }
    const batch::LineTokens tokens = batch::tokensOf(line);
    EXPECT_EQ(tokens.count, 40U);
    EXPECT_EQ(tokens.first[13], "13");
}

// Lines shorter than 16 bytes are read from a padded copy, longer ones end with an
// overlapping read: a NUL counts wherever it is, and only within the line.
TEST(LineTokens, FindsANulInAnyBlock) {
    for (const std::size_t size : {5, 16, 101}) {
        for (const std::size_t at : {0, 4, 15, 16, 63, 64, 100}) {
            if (at >= size) {
                continue;
            }
            std::string line(size, 'a');
            line[at] = '\0';
            EXPECT_TRUE(batch::tokensOf(line).hasNul) << size << " bytes, NUL at " << at;
        }
        EXPECT_FALSE(batch::tokensOf(std::string(size, 'a')).hasNul) << size << " bytes";
    }
}
