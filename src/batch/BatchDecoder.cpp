// SPDX-License-Identifier: MIT
#include "batch/BatchDecoder.h"

#include <istream>
#include <ostream>

#include "batch/CsvRow.h"
#include "batch/FrameLine.h"
#include "batch/Printable.h"
#include "check/FrameSummary.h"

namespace batch {
namespace {

// The decoders' one message (an unknown day/night setting) goes where the errors go.
class StreamNotifier : public decoders::Notifier {
  public:
    StreamNotifier(std::ostream& errors, const std::string& where) : errors(errors), where(where) {}
    void showMessage(const std::string& cp932Text) override {
        errors << (where + ": " + cp932Text + '\n');  // one line, one write
    }

  private:
    std::ostream& errors;
    const std::string& where;
};

// A field's text as a message shows it: printable, and cut short when it is long.
std::string shortened(const std::string& text) {
    constexpr std::size_t longest = 32;
    return text.size() <= longest ? printable(text) : printable(text.substr(0, longest)) + "...";
}

}  // namespace

BatchDecoder::BatchDecoder(Format format, std::ostream& out, std::ostream& errors,
                           check::Clock clock)
    : format(format), out(out), errors(errors), clock(std::move(clock)) {
    if (format == Format::Csv) {
        out << csvHeader();
    }
}

void BatchDecoder::decodeLog(std::istream& log, const std::string& name) {
    decodeLog(readingStream(log), name);
}

int BatchDecoder::decodeLog(const ReadSome& log, const std::string& name) {
    const std::string shownName = printable(name);
    LineReader reader(log);
    for (;;) {
        const LineReader::Next line = reader.next();
        const std::string where = shownName + ":" + std::to_string(line.number);
        switch (line.kind) {
            case LineReader::Kind::Line:
                decodeLine(line.text, where);
                break;
            case LineReader::Kind::TooLong:
                say(where, "line longer than " + std::to_string(reader.longest()) + " bytes");
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
void BatchDecoder::say(const std::string& where, const std::string& what) {
    errors << (where + ": " + what + '\n');
}

bool BatchDecoder::fieldsAreClean(const check::FrameTexts& texts, const std::string& where) {
    bool clean = true;
    for (std::size_t i = 0; i < check::fieldCount; ++i) {
        if (texts[i].empty()) {
            continue;
        }
        const check::FieldReading reading = check::readField(i, texts[i]);
        if (!reading.clean) {
            const check::FrameField& field = check::frameFields[i];
            say(where, "field " + std::string(field.name) + " \"" + shortened(texts[i]) +
                           "\" is not a " + std::to_string(field.digits) +
                           "-digit hexadecimal number; " +
                           (strict ? "line skipped" : "read as " + reading.readAs));
            clean = false;
        }
    }
    return clean;
}

void BatchDecoder::decodeLine(std::string_view line, const std::string& where) {
    const FrameLine read = readFrameLine(line);
    if (const auto* bad = std::get_if<BadLine>(&read)) {
        say(where, bad->reason);
        ++skipped;
        return;
    }
    const auto* frame = std::get_if<LoggedFrame>(&read);
    if (frame == nullptr) {
        return;
    }
    if (!fieldsAreClean(frame->texts, where) && strict) {
        ++skipped;
        return;
    }
    const std::time_t time = frame->time ? *frame->time : clock();
    StreamNotifier notifier(errors, where);
    block.clear();
    const check::CheckOutcome outcome = check::runCheck(
        state, block, frame->texts, [time] { return time; }, notifier);
    if (outcome.decodingError) {
        say(where, printable(*outcome.decodingError));
    }
    if (format == Format::Csv) {
        out << csvRow(time, outcome, state);
    } else {
        out.write(block.data(), static_cast<std::streamsize>(block.size()));
    }
}

}  // namespace batch
