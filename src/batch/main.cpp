// SPDX-License-Identifier: MIT
// veskar-decode: decodes logged beacon frames as the dialog's Check does, to the same report,
// to CSV or JSON Lines, draws them as charts, or forwards them to the station's telemetry
// servers.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <iostream>
#include <optional>
#include <string_view>
#include <vector>

#include "Version.h"
#include "batch/AtomicFile.h"
#include "batch/BatchDecoder.h"
#include "batch/PlotCommand.h"
#include "batch/Printable.h"
#include "batch/SendCommand.h"
#include "batch/SignalCleanup.h"
#include "check/SavedFile.h"
#include "check/writers/FrameWriter.h"

namespace {

constexpr const char* usage =
    "usage: veskar-decode [--csv | --json] [--strict] [-o FILE] [FILE ...]\n"
    "       veskar-decode --plot PICTURE.png|PICTURE.svg [FILE ...]\n"
    "       veskar-decode --send [--dry-run] [--station FILE] [FILE ...]\n"
    "\n"
    "Decodes VOKA-I beacon frames, one a line, from each FILE in turn (or standard input\n"
    "when there is none or FILE is -), as consecutive Checks of the Veskar dialog.\n"
    "\n"
    "A line: [YYYY-MM-DD HH:MM:SS | YYYY-MM-DDTHH:MM:SSZ] [VOKA] H0 H1 H2 H3 H4 A B C D E F\n"
    "with - for a field that was not copied; blank lines and # comments are skipped, and\n"
    "so are lines longer than 65536 bytes. A field that is not a clean hexadecimal number\n"
    "of its width is read as the dialog's Check reads it, with a warning.\n"
    "For example:\n"
    "  2010-01-02 03:04:05 VOKA 86 A6 00 7F C0 1234 2B75 90 8F 80 80\n"
    "\n"
    "  --csv      write CSV (UTF-8) instead of the analysis report\n"
    "  --json     write JSON Lines (UTF-8): one object a frame, numbers in full precision\n"
    "  --strict   skip a line with such a field instead of decoding it\n"
    "  -o FILE    write to FILE (replaced only once complete, keeping its mode); a report\n"
    "             is written in the dialog's saved-file format, with the end-of-file mark\n"
    "             0x1A\n"
    "  --plot PICTURE  draw the pass view's charts of the frames, each FILE a pass in its\n"
    "             own colour, as a PNG or SVG picture; needs no display\n"
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
    bool strict = false;
    std::optional<std::string> output;
    std::optional<std::string> plot;
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

// A message as one write, so that parallel runs do not mix their lines.
void say(const std::string& message) {
    std::cerr << ("veskar-decode: " + message + "\n");
}

std::nullopt_t refuse(const std::string& reason) {
    say(reason + "\nTry 'veskar-decode --help'.");
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
        } else if (arg == "--strict") {
            options.strict = true;
        } else if (arg == "-o" && i + 1 < argc) {
            options.output = argv[++i];
        } else if (arg == "--plot" && i + 1 < argc) {
            options.plot = argv[++i];
        } else if (arg == "--send") {
            options.send = true;
        } else if (arg == "--dry-run") {
            options.sending.dryRun = true;
        } else if (arg == "--station" && i + 1 < argc) {
            options.sending.stationFile = argv[++i];
        } else {
            const bool needsFile = arg == "-o" || arg == "--station";
            return refuse(needsFile         ? arg + " needs a FILE"
                          : arg == "--plot" ? "--plot needs a PICTURE file"
                                            : "unknown option " + batch::printable(arg));
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

// An open log, or the errno of why it cannot be read. A folder opens but does not read.
int openLog(const std::string& name, int& descriptor) {
    descriptor = open(name.c_str(), O_RDONLY | O_NOCTTY | O_CLOEXEC);
    struct stat found = {};
    if (descriptor < 0 || fstat(descriptor, &found) != 0) {
        return errno;
    }
    return S_ISDIR(found.st_mode) ? EISDIR : 0;
}

// Decodes every log; false when one of them could not be read.
bool decodeLogs(const std::vector<std::string>& logs, batch::BatchDecoder& decoder) {
    bool allRead = true;
    for (const std::string& name : logs) {
        const bool standardInput = name == "-";
        const std::string shown = standardInput ? "<stdin>" : name;
        int descriptor = STDIN_FILENO;
        int error = standardInput ? 0 : openLog(name, descriptor);
        if (error == 0) {
            error = decoder.decodeLog(batch::readingDescriptor(descriptor), shown);
        }
        if (!standardInput && descriptor >= 0) {
            close(descriptor);
        }
        if (error != 0) {
            say("cannot read " + batch::printable(shown) + ": " + std::strerror(error));
            allRead = false;
        }
    }
    return allRead;
}

// Whether a log is the very file that -o names (writing it would replace the log with its
// own report). Devices and FIFOs are never replaced, so they may be both.
bool isAlsoALog(const Options& options) {
    struct stat output = {};
    if (stat(options.output->c_str(), &output) != 0 || !S_ISREG(output.st_mode)) {
        return false;
    }
    for (const std::string& name : options.logs) {
        struct stat log = {};
        const int found = name == "-" ? fstat(STDIN_FILENO, &log) : stat(name.c_str(), &log);
        if (found == 0 && log.st_dev == output.st_dev && log.st_ino == output.st_ino) {
            return true;
        }
    }
    return false;
}

// A closed standard descriptor would be taken by the next file opened (the -o file read as
// standard input). Each gets /dev/null opened the wrong way round, so that using it fails
// with "Bad file descriptor" as it would have.
void holdClosedStandardDescriptors() {
    for (const int standard : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO}) {
        if (fcntl(standard, F_GETFD) < 0 && errno == EBADF) {
            const int stand = open("/dev/null", standard == STDIN_FILENO ? O_WRONLY : O_RDONLY);
            if (stand >= 0 && stand != standard) {
                dup2(stand, standard);
                close(stand);
            }
        }
    }
}

int run(Options options) {
    if (options.plot) {
        return batch::runPlot(*options.plot, options.logs);
    }
    if (options.send) {
        options.sending.logs = options.logs;
        return batch::runSend(options.sending, decodeLogs, std::cout, std::cerr,
                              check::systemClock);
    }
    std::optional<batch::AtomicFile> file;
    if (options.output) {
        const std::string shown = batch::printable(*options.output);
        if (isAlsoALog(options)) {
            say("cannot write " + shown + ": it is also a log to decode; give another file");
            return 2;
        }
        batch::installSignalCleanup();
        file.emplace(*options.output);
        if (!file->isOpen()) {
            say("cannot write " + shown + ": " + file->error());
            return 2;
        }
    }
    std::ostream& out = file ? file->stream() : std::cout;
    batch::BatchDecoder decoder(*options.format, out, std::cerr, check::systemClock);
    decoder.setStrict(options.strict);
    const bool allRead = decodeLogs(options.logs, decoder);
    decoder.finish();

    if (file) {
        if (!allRead) {  // a report with a log missing replaces nothing
            say(batch::printable(*options.output) + " left as it was");
            return 2;
        }
        if (options.format->endsWithEndOfFileMark) {
            out << check::endOfFileMark;
        }
        if (!file->commit()) {
            say("cannot write " + batch::printable(*options.output) + ": " + file->error());
            return 2;
        }
    } else if (!out.flush()) {
        say("writing to standard output failed");
        return 2;
    }
    if (!allRead) {
        return 2;
    }
    return decoder.skippedLines() > 0 ? 1 : 0;
}

}  // namespace

int main(int argc, char* argv[]) {
    holdClosedStandardDescriptors();
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
