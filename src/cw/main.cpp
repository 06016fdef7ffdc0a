// SPDX-License-Identifier: MIT
// veskar-cw: finds the beacon's frames in recordings of a pass and writes them as lines of
// veskar-decode's log, so that `veskar-cw pass.ogg | veskar-decode` gives the analysis.
#include <algorithm>
#include <cstdlib>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "Version.h"
#include "cw/FrameOutput.h"
#include "morse/Decoder.h"
#include "morse/RecordingTime.h"

namespace {

constexpr const char* usage =
    "usage: veskar-cw [--start TIME] [--json] [--min-confidence P] FILE ...\n"
    "\n"
    "Finds VOKA-I beacon frames in recordings of a pass (WAV, FLAC, Ogg Vorbis; any sample\n"
    "rate; the first channel) and writes each as a comment line and a line of veskar-decode's\n"
    "log, for example:\n"
    "  # pass.ogg at 12.3 s: tone 812 Hz, 20.1 wpm, SNR -7.5 dB, confidence 0.99\n"
    "  2026-12-11T10:00:12Z VOKA 86 A6 00 7F C0 1234 2B75 90 8F 80 80\n"
    "A field that was not heard (cut off by the recording's start or end, or drowned) is -.\n"
    "The time is the recording's start plus the frame's offset: the start is TIME, or comes\n"
    "from a SatNOGS file name satnogs_<observation>_<YYYY-MM-DDTHH-MM-SS>.ogg; otherwise the\n"
    "line has no time.\n"
    "\n"
    "  --start TIME          the recordings start at TIME, YYYY-MM-DDTHH:MM:SSZ (UTC)\n"
    "  --json                one JSON object a frame, with every character's confidence\n"
    "                        and the next most likely character\n"
    "  --min-confidence P    write a field as - when the chance that all of it is right is\n"
    "                        below P (0 to 1)\n"
    "  --help                show this text\n"
    "  --version             show the version\n"
    "\n"
    "Exit status: 0 when every file was read whole, 1 when a file was only partly readable\n"
    "(its frames up to there are written), 2 for a usage error or a file that could not be\n"
    "read as audio.\n";

struct Options {
    std::optional<morse::UtcSeconds> start;
    bool json = false;
    double minConfidence = 0;
    std::vector<std::string> files;
};

std::optional<double> probability(const std::string& text) {
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    if (text.empty() || *end != '\0' || !(value >= 0 && value <= 1)) {
        return std::nullopt;
    }
    return value;
}

bool fail(const std::string& reason) {
    std::cerr << "veskar-cw: " << reason << "\nTry 'veskar-cw --help'.\n";
    return false;
}

// False after printing the reason when the command line cannot be used.
bool parse(int argc, char* argv[], Options& options) {
    bool onlyFiles = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (onlyFiles || arg.empty() || arg[0] != '-') {
            options.files.push_back(arg);
        } else if (arg == "--") {
            onlyFiles = true;
        } else if (arg == "--json") {
            options.json = true;
        } else if (arg == "--start") {
            options.start = hasValue ? morse::parseUtc(argv[++i]) : std::nullopt;
            if (!options.start) {
                return fail("--start needs a time YYYY-MM-DDTHH:MM:SSZ");
            }
        } else if (arg == "--min-confidence") {
            const std::optional<double> p = hasValue ? probability(argv[++i]) : std::nullopt;
            if (!p) {
                return fail("--min-confidence needs a probability from 0 to 1");
            }
            options.minConfidence = *p;
        } else {
            return fail("unknown option " + arg);
        }
    }
    if (options.files.empty()) {
        return fail("no FILE given");
    }
    return true;
}

// 0, 1 or 2, as the exit status has them.
int decode(const std::string& file, const Options& options) {
    cw::FrameContext context{file, options.start ? options.start : morse::startFromFileName(file),
                             options.minConfidence};
    morse::DecodeOptions decodeOptions;
    decodeOptions.frame = [&](const morse::HeardFrame& frame) {
        if (options.json) {
            cw::writeJson(std::cout, frame, context);
        } else {
            cw::writeLogLines(std::cout, frame, context);
        }
        std::cout.flush();
    };
    try {
        const morse::DecodeResult result = morse::decodeFile(file, decodeOptions);
        if (!result.problem.empty()) {
            std::cerr << "veskar-cw: " << file << ": " << result.problem << "\n";
            return 1;
        }
        return 0;
    } catch (const morse::AudioError& error) {
        std::cerr << "veskar-cw: cannot read " << error.file() << ": " << error.reason() << "\n";
        return 2;
    }
}

}  // namespace

int main(int argc, char* argv[]) {
    std::ios::sync_with_stdio(false);
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help") {
            std::cout << usage;
            return 0;
        }
        if (arg == "--version") {
            std::cout << "veskar-cw " << VESKAR_VERSION << "\n";
            return 0;
        }
    }
    Options options;
    if (!parse(argc, argv, options)) {
        return 2;
    }
    int status = 0;
    for (const std::string& file : options.files) {
        status = std::max(status, decode(file, options));
    }
    if (!std::cout.flush()) {
        std::cerr << "veskar-cw: writing to standard output failed\n";
        return 2;
    }
    return status;
}
