// SPDX-License-Identifier: MIT
#include "batch/BatchDecoder.h"

#include <istream>
#include <ostream>

#include "batch/CsvRow.h"
#include "batch/FrameLine.h"

namespace batch {
namespace {

// The decoders' one message (an unknown day/night setting) goes where the errors go.
class StreamNotifier : public decoders::Notifier {
  public:
    StreamNotifier(std::ostream& errors, const std::string& where) : errors(errors), where(where) {}
    void showMessage(const std::string& cp932Text) override {
        errors << where << ": " << cp932Text << '\n';
    }

  private:
    std::ostream& errors;
    const std::string& where;
};

}  // namespace

BatchDecoder::BatchDecoder(Format format, std::ostream& out, std::ostream& errors,
                           check::Clock clock)
    : format(format), out(out), errors(errors), clock(std::move(clock)) {
    if (format == Format::Csv) {
        out << csvHeader();
    }
}

void BatchDecoder::decodeLog(std::istream& log, const std::string& name) {
    std::string line;
    for (long number = 1; std::getline(log, line); ++number) {
        decodeLine(line, name + ":" + std::to_string(number));
    }
}

void BatchDecoder::decodeLine(const std::string& line, const std::string& where) {
    const FrameLine read = readFrameLine(line);
    if (const auto* bad = std::get_if<BadLine>(&read)) {
        errors << where << ": " << bad->reason << '\n';
        ++skipped;
        return;
    }
    const auto* frame = std::get_if<LoggedFrame>(&read);
    if (frame == nullptr) {
        return;
    }
    const std::time_t time = frame->time ? *frame->time : clock();
    StreamNotifier notifier(errors, where);
    block.clear();
    const check::CheckOutcome outcome = check::runCheck(
        state, block, frame->texts, [time] { return time; }, notifier);
    if (outcome.decodingError) {
        errors << where << ": " << *outcome.decodingError << '\n';
    }
    if (format == Format::Csv) {
        out << csvRow(time, outcome, state);
    } else {
        out.write(block.data(), static_cast<std::streamsize>(block.size()));
    }
}

}  // namespace batch
