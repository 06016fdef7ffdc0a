// SPDX-License-Identifier: MIT
// veskar-decode: decodes logged beacon frames as the dialog's Check does, to the same report,
// to CSV or JSON Lines, or forwards them to the station's telemetry servers.
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <string_view>
#include <vector>

#include "Version.h"
#include "batch/BatchDecoder.h"
#include "batch/SendCommand.h"
#include "check/SavedFile.h"
#include "check/writers/FrameWriter.h"
#include "share/AtomicFile.h"

namespace {

constexpr const char* usage =
    "usage: veskar-decode [--csv | --json] [-o FILE] [FILE ...]\n"
    "       veskar-decode --send [--dry-run] [--station FILE] [FILE ...]\n"
    "\n"
    "Decodes VOKA-I beacon frames, one a line, from each FILE in turn (or standard input\n"
    "when there is none or FILE is -), as consecutive Checks of the Veskar dialog.\n"
    "\n"
    "A line: [YYYY-MM-DD HH:MM:SS | YYYY-MM-DDTHH:MM:SSZ] [VOKA] H0 H1 H2 H3 H4 A B C D E F\n"
    "with - for a field that was not copied; blank lines and # comments are skipped.\n"
    "For example:\n"
    "  2010-01-02 03:04:05 VOKA 86 A6 00 7F C0 1234 2B75 90 8F 80 80\n"
    "\n"
    "  --csv      write CSV (UTF-8) instead of the analysis report\n"
    "  --json     write JSON Lines (UTF-8): one object a frame, numbers in full precision\n"
    "  -o FILE    write to FILE (replaced only once complete); a report is written in the\n"
    "             dialog's saved-file format, with the end-of-file mark 0x1A\n"
    "  --send     forward every frame copied whole and with its time to the telemetry\n"
    "             servers enabled for the station (a form POST, as the SatNOGS network\n"
    "             takes it), through the outbox, which keeps what could not be sent yet\n"
    "             and retries it at later runs, waiting longer after each failure;\n"
    "             prints what each server answered\n"
    "  --dry-run  with --send: print each request instead of sending it\n"
    "  --station FILE\n"
    "             with --send: the station's settings from FILE instead of the ones saved\n"
    "             in Veskar's Station dialog\n"
    "  --help     show this text\n"
    "  --version  show the version\n"
    "\n"
    "Exit status: 0 when every line was decoded, 1 when some line was skipped, 2 for a usage\n"
    "error or a file that could not be read or written. With --send, 1 also when a frame\n"
    "could not be sent, was refused or still waits in the outbox.\n";

struct Options {
    const check::OutputFormat* format = check::outputFormats.data();  // the report
    std::optional<std::string> output;
    std::vector<std::string> logs;
    bool send = false;
    batch::SendOptions sending;
};

// The format an option such as "--csv" names; the report has no option, it is the default.
const check::OutputFormat* formatOption(std::string_view arg) {
    if (arg.substr(0, 2) != "--" || arg == "--report") {
        return nullptr;
    }
    return check::findOutputFormat(arg.substr(2));
}

std::nullopt_t refuse(const std::string& reason) {
    std::cerr << "veskar-decode: " << reason << "\n"
              << "Try 'veskar-decode --help'.\n";
    return std::nullopt;
}

// Nothing after printing the reason when the command line cannot be used.
std::optional<Options> parse(int argc, char* argv[]) {
    Options options;
    bool onlyFiles = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (onlyFiles || arg == "-" || arg.empty() || arg[0] != '-') {
            options.logs.push_back(arg);
        } else if (arg == "--") {
            onlyFiles = true;
        } else if (const auto* format = formatOption(arg)) {
            options.format = format;
        } else if (arg == "-o" && i + 1 < argc) {
            options.output = argv[++i];
        } else if (arg == "--send") {
            options.send = true;
        } else if (arg == "--dry-run") {
            options.sending.dryRun = true;
        } else if (arg == "--station" && i + 1 < argc) {
            options.sending.stationFile = argv[++i];
        } else {
            const bool needsFile = arg == "-o" || arg == "--station";
            return refuse(needsFile ? arg + " needs a FILE" : "unknown option " + arg);
        }
    }
    const bool sendingOnly = options.sending.dryRun || options.sending.stationFile;
    if (sendingOnly && !options.send) {
        return refuse("--dry-run and --station go with --send");
    }
    if (options.send && (options.output || options.format != check::outputFormats.data())) {
        return refuse("--send writes no report; leave out -o, --csv and --json");
    }
    if (options.logs.empty()) {
        options.logs.emplace_back("-");
    }
    return options;
}

// Decodes every log; false when one of them could not be read.
bool decodeLogs(const std::vector<std::string>& logs, batch::BatchDecoder& decoder) {
    bool allRead = true;
    for (const std::string& name : logs) {
        if (name == "-") {
            decoder.decodeLog(std::cin, "<stdin>");
            continue;
        }
        std::ifstream log(name, std::ios::binary);
        // A folder opens like a file here but reads as an empty one.
        std::error_code ignored;
        const int error = !log ? errno : std::filesystem::is_directory(name, ignored) ? EISDIR : 0;
        if (error != 0) {
            std::cerr << "veskar-decode: cannot read " << name << ": " << std::strerror(error)
                      << "\n";
            allRead = false;
            continue;
        }
        decoder.decodeLog(log, name);
        if (log.bad()) {
            std::cerr << "veskar-decode: reading " << name << " failed\n";
            allRead = false;
        }
    }
    return allRead;
}

int run(Options options) {
    if (options.send) {
        options.sending.logs = options.logs;
        return batch::runSend(options.sending, decodeLogs, std::cout, std::cerr,
                              check::systemClock);
    }
    std::optional<share::AtomicFile> file;
    if (options.output) {
        file.emplace(*options.output);
        if (!file->isOpen()) {
            std::cerr << "veskar-decode: cannot write " << *options.output << ": " << file->error()
                      << "\n";
            return 2;
        }
    }
    std::ostream& out = file ? file->stream() : std::cout;
    batch::BatchDecoder decoder(*options.format, out, std::cerr, check::systemClock);
    const bool allRead = decodeLogs(options.logs, decoder);
    decoder.finish();

    if (file) {
        if (options.format->endsWithEndOfFileMark) {
            out << check::endOfFileMark;
        }
        if (!file->commit()) {
            std::cerr << "veskar-decode: cannot write " << *options.output << ": " << file->error()
                      << "\n";
            return 2;
        }
    } else if (!out.flush()) {
        std::cerr << "veskar-decode: writing to standard output failed\n";
        return 2;
    }
    if (!allRead) {
        return 2;
    }
    return decoder.skippedLines() > 0 ? 1 : 0;
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
            std::cout << "veskar-decode " << VESKAR_VERSION << "\n";
            return 0;
        }
    }
    const std::optional<Options> options = parse(argc, argv);
    return options ? run(*options) : 2;
}
