// SPDX-License-Identifier: MIT
// What veskar-decode says about a log's lines: garbled fields, long lines, odd names, and
// each message as one write.
#include <gtest/gtest.h>

#include <sstream>
#include <vector>

#include "batch/BatchDecoder.h"
#include "batch/Printable.h"

namespace {

struct Decoded {
    std::string out, errors;
    long skipped;
};

Decoded decode(const std::string& log, bool strict = false, const std::string& name = "log") {
    std::ostringstream out, errors;
    batch::BatchDecoder decoder(check::outputFormats[0], out, errors, [] { return 0; });
    decoder.setStrict(strict);
    std::istringstream input(log);
    decoder.decodeLog(input, name);
    decoder.finish();
    return {out.str(), errors.str(), decoder.skippedLines()};
}

TEST(Messages, AGarbledFieldIsDecodedAsTheCheckReadsItWithAWarning) {
    const struct {
        const char* field;
        const char* text;
        const char* warning;
    } cases[] = {
        {"H0", "ZZ", R"(field H0 "ZZ" is not a 2-digit hexadecimal number; read as 00)"},
        {"H0", "O0", R"(field H0 "O0" is not a 2-digit hexadecimal number; read as 00)"},
        {"H0", "G8", R"(field H0 "G8" is not a 2-digit hexadecimal number; read as 00)"},
        {"H0", "\xEF\xBC\x98\xEF\xBC\x96",  // full-width 86
         "field H0 \"\xEF\xBC\x98\xEF\xBC\x96\" is not a 2-digit hexadecimal number; read as 00"},
        {"H0", "\x82", R"(field H0 "\x82" is not a 2-digit hexadecimal number; read as 00)"},
        {"H0", "8", R"(field H0 "8" is not a 2-digit hexadecimal number; read as 08)"},
        {"H0", "1FF", R"(field H0 "1FF" is not a 2-digit hexadecimal number; read as FF)"},
        {"A", "12", R"(field A "12" is not a 4-digit hexadecimal number; read as 0012)"},
    };
    for (const auto& c : cases) {
        const bool isA = std::string(c.field) == "A";
        const std::string line = isA ? std::string("- - - - - ") + c.text + " - - - - -"
                                     : std::string(c.text) + " - - - - - - - - - -";
        const Decoded lenient = decode(line + "\n");
        EXPECT_EQ(lenient.errors, std::string("log:1: ") + c.warning + "\n") << c.text;
        EXPECT_EQ(lenient.skipped, 0) << c.text;
        EXPECT_NE(lenient.out.find("CW Code"), std::string::npos) << "decoded all the same";

        const Decoded strict = decode(line + "\n", true);
        const std::string warning = c.warning;
        EXPECT_EQ(strict.errors,
                  "log:1: " + warning.substr(0, warning.find("; ")) + "; line skipped\n")
            << c.text;
        EXPECT_EQ(strict.skipped, 1) << c.text;
        EXPECT_EQ(strict.out, "") << c.text;
    }
}

TEST(Messages, CleanFieldsInEitherCaseGiveNoWarning) {
    EXPECT_EQ(decode("86 a6 00 7f C0 12ab 2B75 90 8F 80 80\n").errors, "");
}

TEST(Messages, ALongFieldIsCutShortInItsWarning) {
    const Decoded run = decode(std::string(1000, 'F') + " - - - - - - - - - -\n");
    EXPECT_EQ(run.errors, "log:1: field H0 \"" + std::string(32, 'F') +
                              "...\" is not a 2-digit hexadecimal number; read as FF\n");
}

TEST(Messages, ALineOverTheLimitIsSkippedAndTheNextOnesDecoded) {
    const std::string frame = "86 - - - - - - - - - -\n";
    const Decoded run = decode(frame + std::string(70000, 'F') + "\n" + frame);
    EXPECT_EQ(run.errors, "log:2: line longer than 65536 bytes\n");
    EXPECT_EQ(run.skipped, 1);
    EXPECT_NE(run.out.find("CW Code"), run.out.rfind("CW Code")) << "both frames";
}

TEST(Messages, ByteOrderMarkAndCrLineEndsLoseNoFrame) {
    const Decoded run = decode(
        "\xEF\xBB\xBF"
        "86 - - - - - - - - - -\r87 - - - - - - - - - -\r");
    EXPECT_EQ(run.errors, "");
    EXPECT_NE(run.out.find("VOKA 86 "), std::string::npos);
    EXPECT_NE(run.out.find("VOKA 87 "), std::string::npos);
}

TEST(Messages, NamesWithControlCharactersAreEscaped) {
    EXPECT_EQ(batch::printable("plain/na me-\xC3\xA9.log"), "plain/na me-\xC3\xA9.log");
    EXPECT_EQ(batch::printable("a\nb\tc\rd\\e\x1B[2Jf\x7F"), "a\\nb\\tc\\rd\\\\e\\x1B[2Jf\\x7F");
    EXPECT_EQ(batch::printable("\xC3(\xED\xA0\x80\xF4\x90\x80\x80"),
              "\\xC3(\\xED\\xA0\\x80\\xF4\\x90\\x80\\x80")
        << "broken UTF-8, a surrogate and a code point past U+10FFFF";
    EXPECT_EQ(decode("86\n", false, "evil\n.log").errors.substr(0, 13), "evil\\n.log:1:");
}

// Keeps each write that reaches it apart: one message must be one write.
class WriteRecorder : public std::streambuf {
  public:
    std::vector<std::string> writes;

  protected:
    std::streamsize xsputn(const char* text, std::streamsize count) override {
        writes.emplace_back(text, static_cast<std::size_t>(count));
        return count;
    }
    int_type overflow(int_type c) override {
        writes.emplace_back(1, traits_type::to_char_type(c));
        return c;
    }
};

TEST(Messages, EachMessageIsOneWrite) {
    WriteRecorder recorder;
    std::ostream errors(&recorder);
    std::ostringstream out;
    batch::BatchDecoder decoder(check::outputFormats[0], out, errors, [] { return 0; });
    std::istringstream log("86 A6\nZZ - - - - - - - - - -\n- - - - - - FFFF - - - -\n");
    decoder.decodeLog(log, "log");
    ASSERT_EQ(recorder.writes.size(), 3U);
    for (const std::string& write : recorder.writes) {
        EXPECT_EQ(write.substr(0, 4), "log:") << write;
        EXPECT_EQ(write.find('\n'), write.size() - 1) << write;
    }
}

}  // namespace
