// SPDX-License-Identifier: MIT
#include "batch/LineReader.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <sstream>
#include <vector>

namespace {

using batch::LineReader;

// A source that gives its bytes a few at a time, as a pipe may, so that line ends fall on
// block boundaries.
batch::ReadSome trickling(std::string bytes, std::size_t step) {
    return [bytes = std::move(bytes), step, at = std::size_t{0}](char* into,
                                                                 std::size_t room) mutable {
        const std::size_t count = std::min({step, room, bytes.size() - at});
        std::memcpy(into, bytes.data() + at, count);
        at += count;
        return static_cast<std::ptrdiff_t>(count);
    };
}

std::vector<std::string> linesOf(const std::string& bytes, std::size_t step) {
    LineReader reader(trickling(bytes, step));
    std::vector<std::string> lines;
    for (auto line = reader.next(); line.kind != LineReader::Kind::End; line = reader.next()) {
        EXPECT_EQ(line.kind, LineReader::Kind::Line);
        EXPECT_EQ(line.number, static_cast<long>(lines.size()) + 1);
        lines.emplace_back(line.text);
    }
    return lines;
}

TEST(LineReader, EndsLinesAtLfCrLfAndLoneCrAndDropsAByteOrderMark) {
    const struct {
        const char* name;
        std::string bytes;
        std::vector<std::string> lines;
    } cases[] = {
        {"LF", "a\nb\n", {"a", "b"}},
        {"CR LF", "a\r\nb\r\n", {"a", "b"}},
        {"CR only", "a\rb\r", {"a", "b"}},
        {"mixed, blank lines kept", "a\r\rb\n\nc\r\n\r\nd", {"a", "", "b", "", "c", "", "d"}},
        {"no line end at the end", "a\nb", {"a", "b"}},
        {"byte-order mark",
         "\xEF\xBB\xBF"
         "a\nb",
         {"a", "b"}},
        {"a mark after the first line is data",
         "a\n\xEF\xBB\xBF"
         "b",
         {"a",
          "\xEF\xBB\xBF"
          "b"}},
        {"empty", "", {}},
        {"NUL bytes are data", std::string("a\0b\n", 4), {std::string("a\0b", 3)}},
    };
    for (const auto& c : cases) {
        for (const std::size_t step : {1, 2, 3, 4096}) {
            EXPECT_EQ(linesOf(c.bytes, step), c.lines) << c.name << ", " << step << " at a time";
        }
    }
}

TEST(LineReader, SkipsALineOverTheLimitOnceAndGoesOn) {
    for (const std::size_t step : {1, 5, 4096}) {
        LineReader reader(trickling("12345678\n123456789\r\nnext", step), 8);
        EXPECT_EQ(reader.next().text, "12345678");
        const auto tooLong = reader.next();
        EXPECT_EQ(tooLong.kind, LineReader::Kind::TooLong);
        EXPECT_EQ(tooLong.number, 2);
        const auto next = reader.next();
        EXPECT_EQ(next.text, "next");
        EXPECT_EQ(next.number, 3);
        EXPECT_EQ(reader.next().kind, LineReader::Kind::End);
    }
}

TEST(LineReader, AHugeLineNeedsNoMoreThanTheLimit) {
    // 256 MB of short tokens, made as they are read: the reader must not keep them.
    std::size_t left = std::size_t{256} << 20;
    LineReader reader([&left](char* into, std::size_t room) {
        const std::size_t count = std::min(room, left);
        for (std::size_t i = 0; i < count; ++i) {
            into[i] = i % 2 == 0 ? 'F' : ' ';
        }
        left -= count;
        return static_cast<std::ptrdiff_t>(count);
    });
    EXPECT_EQ(reader.next().kind, LineReader::Kind::TooLong);
    EXPECT_EQ(reader.next().kind, LineReader::Kind::End);
}

TEST(LineReader, ReportsAReadErrorWithItsReason) {
    bool first = true;
    LineReader reader([&first](char* into, std::size_t) -> std::ptrdiff_t {
        if (first) {
            first = false;
            into[0] = 'a';
            into[1] = '\n';
            return 2;
        }
        errno = EISDIR;
        return -1;
    });
    EXPECT_EQ(reader.next().text, "a");
    const auto failed = reader.next();
    EXPECT_EQ(failed.kind, LineReader::Kind::Failed);
    EXPECT_EQ(failed.error, EISDIR);
}

TEST(LineReader, ReadsAStreamToo) {
    std::istringstream log("a\rb");
    LineReader reader(batch::readingStream(log));
    EXPECT_EQ(reader.next().text, "a");
    EXPECT_EQ(reader.next().text, "b");
    EXPECT_EQ(reader.next().kind, LineReader::Kind::End);
}

}  // namespace
