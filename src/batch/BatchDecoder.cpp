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
    : writer(format.makeWriter != nullptr ? format.makeWriter() : nullptr),
      out(out),
      errors(errors),
      notifier(errors),
      session(notifier, std::move(clock), check::Session::History::NotKept,
              writer ? check::Session::Report::NotWritten : check::Session::Report::Written) {
    if (writer) {
        writer->begin(rows);
    }
}

// A buffer of this size stays in the processor's cache between two writes.
constexpr std::size_t outputBufferSize = 64 * 1024;

void BatchDecoder::writeOutIfFull() {
    std::string& text = output();
    if (text.size() >= outputBufferSize) {
        out.write(text.data(), static_cast<std::streamsize>(text.size()));
        text.clear();
    }
}

void BatchDecoder::finish() {
    if (writer) {
        writer->end(rows);
    }
    std::string& text = output();
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    text.clear();
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
    notifier.name = &name;
    notifier.line = number;
    const check::CheckRecord& record = session.check(std::move(*frame));
    if (record.decodingError) {
        errors << name << ':' << number << ": " << *record.decodingError << '\n';
    }
    if (writer) {
        writer->frame(record, rows);
    }
    writeOutIfFull();
}

}  // namespace batch
