// SPDX-License-Identifier: MIT
#include "batch/BatchDecoder.h"

#include <istream>
#include <ostream>

#include "batch/FrameLine.h"

namespace batch {

void StreamNotifier::showMessage(const std::string& cp932Text) {
    errors << *name << ':' << line << ": " << cp932Text << '\n';
}

BatchDecoder::BatchDecoder(const check::OutputFormat& format, std::ostream& out,
                           std::ostream& errors, check::Clock clock)
    : BatchDecoder(format.makeWriter(out), errors, std::move(clock)) {}

BatchDecoder::BatchDecoder(std::unique_ptr<check::FrameWriter> writer, std::ostream& errors,
                           check::Clock clock)
    : writer(std::move(writer)),
      errors(errors),
      notifier(errors),
      session(notifier, std::move(clock), check::Session::History::NotKept) {
    this->writer->begin();
}

void BatchDecoder::decodeLog(std::istream& log, const std::string& name) {
    std::string line;
    for (long number = 1; std::getline(log, line); ++number) {
        decodeLine(line, name, number);
    }
}

void BatchDecoder::decodeLine(const std::string& line, const std::string& name, long number) {
    FrameLine read = readFrameLine(line);
    if (const auto* bad = std::get_if<BadLine>(&read)) {
        errors << name << ':' << number << ": " << bad->reason << '\n';
        ++skipped;
        return;
    }
    auto* frame = std::get_if<LoggedFrame>(&read);
    if (frame == nullptr) {
        return;
    }
    frame->origin = {check::FrameOrigin::Kind::Log, name, number, 0.0};
    timed = frame->time.has_value();
    notifier.name = &name;
    notifier.line = number;
    const check::CheckRecord& record = session.check(std::move(*frame));
    if (record.decodingError) {
        errors << name << ':' << number << ": " << *record.decodingError << '\n';
    }
    writer->frame(record, session.lastBlock());
    session.resultText().clear();  // each block is written at once; keep memory flat
}

}  // namespace batch
