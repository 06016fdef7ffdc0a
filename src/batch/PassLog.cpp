// SPDX-License-Identifier: MIT
#include "batch/PassLog.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "batch/FrameLine.h"
#include "check/Session.h"
#include "check/UtcTime.h"

namespace batch {
namespace {

// Collects the decoders' messages as problems of the line being read.
class ProblemNotifier : public check::Notifier {
  public:
    explicit ProblemNotifier(PassLog& pass) : pass(pass) {}
    void showMessage(const std::string& cp932Text) override {
        pass.problems.push_back({line, cp932Text});
    }
    long line = 0;

  private:
    PassLog& pass;
};

class QuietNotifier : public check::Notifier {
  public:
    void showMessage(const std::string& /*cp932Text*/) override {}
};

}  // namespace

PassLog readPassLog(std::istream& log, const std::string& name, const check::Clock& clock,
                    const std::atomic<bool>* cancel) {
    PassLog pass;
    pass.name = name;
    ProblemNotifier notifier(pass);
    check::Session session(notifier, clock, check::Session::History::NotKept);
    std::string text;
    check::Frame frame;  // its texts are views of text
    frame.origin = {check::FrameOrigin::Kind::Log, name, 0, 0.0};
    for (long line = 1; std::getline(log, text); ++line) {
        if (cancel != nullptr && cancel->load(std::memory_order_relaxed)) {
            pass.cancelled = true;
            break;
        }
        LineRead read = readFrameLine(text, frame);
        if (read.kind == LineRead::Kind::Bad) {
            pass.problems.push_back({line, std::move(read.reason)});
            continue;
        }
        if (read.kind == LineRead::Kind::NoFrame) {
            continue;
        }
        frame.origin.line = line;
        notifier.line = line;
        pass.records.push_back(session.check(frame));
        if (pass.records.back().decodingError) {
            pass.problems.push_back({line, *pass.records.back().decodingError});
        }
        session.resultText().clear();  // only the records are kept; memory stays flat
    }
    if (log.bad()) {
        pass.readError = "reading failed";
    }
    return pass;
}

PassLog readPassLogFile(const std::string& path, const check::Clock& clock,
                        const std::atomic<bool>* cancel) {
    std::ifstream log(path, std::ios::binary);
    std::error_code ignored;
    // A folder opens like a file here but reads as an empty one.
    const int error = !log ? errno : std::filesystem::is_directory(path, ignored) ? EISDIR : 0;
    if (error != 0) {
        PassLog pass;
        pass.name = path;
        pass.readError = std::strerror(error);
        return pass;
    }
    return readPassLog(log, path, clock, cancel);
}

std::optional<std::string> frameLogLine(const check::CheckRecord& record, std::string* reason) {
    std::string line;
    check::appendUtc(line, record.decoded.time);
    line += " VOKA";
    for (std::size_t field = 0; field < check::fieldCount; ++field) {
        const std::string& text = record.texts[field];
        const bool oneToken = text.find_first_of(" \t\r\n") == std::string::npos && text != "-" &&
                              (text.empty() || text.front() != '#');
        if (!oneToken) {
            if (reason != nullptr) {
                *reason = std::string("field ") + check::frameFields[field].name + " holds \"" +
                          text + "\", which a log line cannot hold";
            }
            return std::nullopt;
        }
        line += ' ';
        line += text.empty() ? "-" : text;
    }
    return line;
}

std::string replayedBlock(const std::vector<check::CheckRecord>& records, std::size_t index) {
    QuietNotifier notifier;
    check::Session session(notifier, check::systemClock, check::Session::History::NotKept);
    for (std::size_t i = 0; i < records.size() && i <= index; ++i) {
        session.resultText().clear();
        session.check(check::Frame{records[i].texts, records[i].decoded.time, records[i].origin});
    }
    return std::string(session.lastBlock());
}

}  // namespace batch
