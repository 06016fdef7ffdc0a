// SPDX-License-Identifier: MIT
#include "batch/BatchDecoder.h"

#include <istream>
#include <ostream>

#include "batch/FrameLine.h"
#include "batch/Printable.h"
#include "check/FrameSummary.h"

namespace batch {
namespace {

// A buffer of this size stays in the processor's cache between two writes.
constexpr std::size_t outputBufferSize = std::size_t{64} << 10;

// A field's text as a message shows it: printable, and cut short when it is long.
std::string shortened(std::string_view text) {
    constexpr std::size_t longest = 32;
    return text.size() <= longest ? printable(text) : printable(text.substr(0, longest)) + "...";
}

}  // namespace

void StreamNotifier::showMessage(const std::string& cp932Text) {
    errors << (place.text() + ": " + cp932Text + '\n');  // one line, one write
}

BatchDecoder::BatchDecoder(const check::OutputFormat& format, std::ostream& out,
                           std::ostream& errors, check::Clock clock)
    : BatchDecoder(format.makeWriter != nullptr ? format.makeWriter() : nullptr, out, errors,
                   std::move(clock)) {}

BatchDecoder::BatchDecoder(std::unique_ptr<check::FrameWriter> writer, std::ostream& out,
                           std::ostream& errors, check::Clock clock)
    : writer(std::move(writer)),
      out(out),
      errors(errors),
      notifier(errors, place),
      session(notifier, std::move(clock), check::Session::History::NotKept,
              this->writer ? check::Session::Report::NotWritten : check::Session::Report::Written,
              this->writer ? check::DecodedItems::Filled : check::DecodedItems::NotFilled) {
    if (this->writer) {
        this->writer->begin(rows);
    }
}

// Writes the buffer out once it holds atLeast bytes.
void BatchDecoder::writeOut(std::size_t atLeast) {
    std::string& text = output();
    if (!text.empty() && text.size() >= atLeast) {
        out.write(text.data(), static_cast<std::streamsize>(text.size()));
        out.flush();
        text.clear();
    }
}

void BatchDecoder::finish() {
    if (writer) {
        writer->end(rows);
    }
    writeOut(0);
}

void BatchDecoder::decodeLog(std::istream& log, const std::string& name) {
    decodeLog(readingStream(log), name);
}

int BatchDecoder::decodeLog(const ReadSome& log, const std::string& name) {
    const std::string shownName = printable(name);
    place.name = &shownName;
    frame.origin = {check::FrameOrigin::Kind::Log, shownName, 0, 0.0};
    // What was decoded is written out before the reader waits for more, so a log that is
    // still being written shows its frames as they come.
    LineReader reader(log, LineReader::defaultLongest, [this] { writeOut(0); });
    for (;;) {
        const LineReader::Next line = reader.next();
        place.line = line.number;
        switch (line.kind) {
            case LineReader::Kind::Line:
                decodeLine(line.text);
                writeOut(outputBufferSize);
                break;
            case LineReader::Kind::TooLong:
                say("line longer than " + std::to_string(reader.longest()) + " bytes");
                ++skipped;
                break;
            case LineReader::Kind::End:
                return 0;
            case LineReader::Kind::Failed:
                return line.error;
        }
    }
}

// Each message is one line written at once, so that parallel runs do not mix their lines.
void BatchDecoder::say(const std::string& what) {
    errors << (place.text() + ": " + what + '\n');
}

bool BatchDecoder::fieldsAreClean(const check::FieldTexts& texts) {
    bool clean = true;
    for (std::size_t i = 0; i < check::fieldCount; ++i) {
        if (!texts[i].empty() && !check::isCleanField(i, texts[i])) {
            clean = sayIfUnclean(i, texts[i]) && clean;
        }
    }
    return clean;
}

// A field that is not a clean number of its width is said, with what it is read as.
bool BatchDecoder::sayIfUnclean(std::size_t field, std::string_view text) {
    const check::FieldReading reading = check::readField(field, text);
    if (!reading.clean) {
        const check::FrameField& about = check::frameFields[field];
        say("field " + std::string(about.name) + " \"" + shortened(text) + "\" is not a " +
            std::to_string(about.digits) + "-digit hexadecimal number; " +
            (strict ? "line skipped" : "read as " + reading.readAs));
    }
    return reading.clean;
}

void BatchDecoder::decodeLine(std::string_view line) {
    const LineRead read = readFrameLine(line, frame);
    if (read.kind == LineRead::Kind::Bad) {
        say(read.reason);
        ++skipped;
        return;
    }
    if (read.kind == LineRead::Kind::NoFrame) {
        return;
    }
    if (!fieldsAreClean(frame.texts) && strict) {
        ++skipped;
        return;
    }
    frame.origin.line = place.line;
    timed = frame.time.has_value();
    const check::CheckRecord& record = session.check(frame);
    if (record.decodingError) {
        say(printable(*record.decodingError));
    }
    if (writer) {
        writer->frame(record, rows);
    }
}

}  // namespace batch
