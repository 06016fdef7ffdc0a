// SPDX-License-Identifier: MIT
#include <sndfile.h>
#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "Recordings.h"

namespace morse::testing {
namespace {

// Whether text is one JSON value and nothing else: enough to know a consumer can parse it.
class JsonChecker {
  public:
    explicit JsonChecker(const std::string& text) : text_(text) {}
    bool valid() {
        const bool ok = value();
        skipBlanks();
        return ok && at_ == text_.size();
    }

  private:
    void skipBlanks() {
        while (at_ < text_.size() && std::isspace(static_cast<unsigned char>(text_[at_]))) {
            ++at_;
        }
    }
    bool take(char c) {
        skipBlanks();
        if (at_ < text_.size() && text_[at_] == c) {
            ++at_;
            return true;
        }
        return false;
    }
    bool word(const std::string& w) {
        skipBlanks();
        if (text_.compare(at_, w.size(), w) == 0) {
            at_ += w.size();
            return true;
        }
        return false;
    }
    bool string() {
        if (!take('"')) {
            return false;
        }
        while (at_ < text_.size() && text_[at_] != '"') {
            if (static_cast<unsigned char>(text_[at_]) < 0x20) {
                return false;
            }
            at_ += text_[at_] == '\\' ? 2 : 1;
        }
        return at_++ < text_.size();
    }
    bool number() {
        skipBlanks();
        const std::size_t from = at_;
        while (at_ < text_.size() &&
               std::string("+-0123456789.eE").find(text_[at_]) != std::string::npos) {
            ++at_;
        }
        return at_ > from;
    }
    template <typename Item>
    bool list(char close, Item item) {
        if (take(close)) {
            return true;
        }
        do {
            if (!item()) {
                return false;
            }
        } while (take(','));
        return take(close);
    }
    bool value() {
        skipBlanks();
        if (at_ >= text_.size()) {
            return false;
        }
        switch (text_[at_]) {
            case '{':
                ++at_;
                return list('}', [this] { return string() && take(':') && value(); });
            case '[':
                ++at_;
                return list(']', [this] { return value(); });
            case '"':
                return string();
            default:
                return word("true") || word("false") || word("null") || number();
        }
    }

    const std::string& text_;
    std::size_t at_ = 0;
};

class CwCommand : public ScratchFolder {
  protected:
    int run(const std::string& command) {
        const std::string line = "cd '" + dir.string() + "' && " + command + " >out 2>err";
        const int status = std::system(line.c_str());
        out = slurp(dir / "out");
        errors = slurp(dir / "err");
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    int cw(const std::string& arguments) { return run(VESKAR_CW " " + arguments); }

    std::string out, errors;
};

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

constexpr const char* firstLine = "VOKA 86 A6 00 7F C0 1234 2B75 90 8F 80 80";

TEST_F(CwCommand, WritesACommentAndALogLinePerFrame) {
    write("pass.wav", quickSignal(), {firstFrame, secondFrame}, SF_FORMAT_WAV);
    ASSERT_EQ(cw("pass.wav"), 0) << errors;
    const std::vector<std::string> lines = linesOf(out);
    ASSERT_EQ(lines.size(), 4U) << out;
    EXPECT_EQ(lines[0].rfind("# pass.wav at 0.5 s: tone 900 Hz, 30.", 0), 0U) << lines[0];
    EXPECT_NE(lines[0].find(" wpm, SNR "), std::string::npos);
    EXPECT_NE(lines[0].find(" dB, confidence 1.00"), std::string::npos);
    EXPECT_EQ(lines[1], firstLine);
    EXPECT_EQ(lines[3], "VOKA 3C 5E F1 09 DA 0B7E C3A4 6D 21 E8 4F");
    EXPECT_EQ(errors, "");
}

TEST_F(CwCommand, TimeComesFromStartOrFromASatnogsName) {
    generator::Signal signal = quickSignal();
    signal.leadSeconds = 1.6;  // the frame starts 2 s in, to the second
    signal.sampleRate = 48000;
    write("satnogs_4242_2010-01-02T03-04-05.ogg", signal, {firstFrame}, SF_FORMAT_OGG);
    ASSERT_EQ(cw("satnogs_4242_2010-01-02T03-04-05.ogg"), 0) << errors;
    EXPECT_EQ(linesOf(out).at(1), std::string("2010-01-02T03:04:07Z ") + firstLine);
    ASSERT_EQ(cw("--start 2026-12-11T23:59:59Z satnogs_4242_2010-01-02T03-04-05.ogg"), 0);
    EXPECT_EQ(linesOf(out).at(1), std::string("2026-12-12T00:00:01Z ") + firstLine);
}

TEST_F(CwCommand, MinConfidenceBlanksDoubtfulFields) {
    generator::Signal signal = quickSignal();
    signal.snrDb = -11;  // weak enough that some field is in doubt
    signal.amplitude = 0.05;
    signal.seed = 3;
    write("weak.flac", signal, {firstFrame, secondFrame}, SF_FORMAT_FLAC);
    ASSERT_EQ(cw("--min-confidence 0.999999 weak.flac"), 0) << errors;
    const std::string strict = out;
    ASSERT_EQ(cw("--min-confidence 0 weak.flac"), 0);
    const auto dashes = [](const std::string& text) {
        return std::count(text.begin(), text.end(), '-');
    };
    EXPECT_GT(dashes(strict), dashes(out)) << strict << "\n" << out;
    EXPECT_EQ(cw("--min-confidence 1.5 weak.flac"), 2);
    EXPECT_NE(errors.find("--min-confidence needs a probability from 0 to 1"), std::string::npos);
}

TEST_F(CwCommand, JsonHasEveryCharacterWithItsAlternative) {
    write("pass.wav", quickSignal(), {firstFrame}, SF_FORMAT_WAV);
    ASSERT_EQ(cw("--json --start 2010-01-02T03:04:05Z pass.wav"), 0) << errors;
    const std::vector<std::string> lines = linesOf(out);
    ASSERT_EQ(lines.size(), 1U);
    EXPECT_TRUE(JsonChecker(lines[0]).valid()) << lines[0];
    EXPECT_NE(lines[0].find("\"time\":\"2010-01-02T03:04:06Z\""), std::string::npos) << lines[0];
    EXPECT_NE(lines[0].find("{\"name\":\"A\",\"text\":\"1234\""), std::string::npos);
    EXPECT_EQ(std::count(lines[0].begin(), lines[0].end(), '{'), 1 + 11 + 26);
    EXPECT_NE(lines[0].find("\"alternative\":"), std::string::npos);
}

TEST_F(CwCommand, PipedIntoVeskarDecodeGivesTheReport) {
    write("pass.wav", quickSignal(), {firstFrame}, SF_FORMAT_WAV);
    ASSERT_EQ(run(VESKAR_CW " --start 2010-01-02T03:04:05Z pass.wav | " VESKAR_DECODE " -"), 0)
        << errors;
    EXPECT_EQ(out.rfind("Input at ", 0), 0U) << out;
    EXPECT_NE(out.find("VOKA 86 A6 00 7F C0 1234 2B75 90 8F 80 80"), std::string::npos) << out;
}

TEST_F(CwCommand, BadFilesAndUsageGiveTheReasonAndStatus) {
    write("pass.wav", quickSignal(), {firstFrame}, SF_FORMAT_WAV);
    std::ofstream(dir / "notes.txt") << "not audio\n";
    EXPECT_EQ(cw("missing.ogg pass.wav notes.txt"), 2);
    EXPECT_EQ(errors,
              "veskar-cw: cannot read missing.ogg: No such file or directory\n"
              "veskar-cw: cannot read notes.txt: not an audio file libsndfile can read (WAV, "
              "FLAC, Ogg Vorbis...)\n");
    EXPECT_NE(out.find(firstLine), std::string::npos) << "the readable file is still decoded";

    const std::filesystem::path cut = dir / "cut.wav";
    std::filesystem::copy_file(dir / "pass.wav", cut);
    std::filesystem::resize_file(cut, std::filesystem::file_size(cut) * 3 / 4);
    EXPECT_EQ(cw("cut.wav"), 1);
    EXPECT_EQ(errors.rfind("veskar-cw: cut.wav: truncated: it ends after ", 0), 0U) << errors;

    EXPECT_EQ(cw(""), 2);
    EXPECT_NE(errors.find("no FILE given"), std::string::npos);
    EXPECT_EQ(cw("--start 2010-01-02 pass.wav"), 2);
    EXPECT_NE(errors.find("--start needs a time YYYY-MM-DDTHH:MM:SSZ"), std::string::npos);
    EXPECT_EQ(cw("--bogus pass.wav"), 2);
    EXPECT_NE(errors.find("unknown option --bogus"), std::string::npos);
    EXPECT_EQ(cw("--help"), 0);
    EXPECT_EQ(out.rfind("usage: veskar-cw", 0), 0U);
}

}  // namespace
}  // namespace morse::testing
