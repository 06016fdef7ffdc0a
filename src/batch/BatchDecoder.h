// SPDX-License-Identifier: MIT
#pragma once

#include <iosfwd>
#include <memory>
#include <string>
#include <string_view>

#include "batch/LineReader.h"
#include "check/Session.h"
#include "check/writers/FrameWriter.h"

namespace batch {

// Where in the logs the decoder is: "FILE:LINE", built only when a message needs it.
struct LogPlace {
    const std::string* name = nullptr;  // printable
    long line = 0;
    std::string text() const { return *name + ':' + std::to_string(line); }
};

// The decoders' one message (an unknown day/night setting) goes where the errors go, with
// the place of the line that caused it.
class StreamNotifier : public check::Notifier {
  public:
    StreamNotifier(std::ostream& errors, const LogPlace& place) : errors(errors), place(place) {}
    void showMessage(const std::string& cp932Text) override;

  private:
    std::ostream& errors;
    const LogPlace& place;
};

// Decodes frame logs line by line as consecutive Checks of one run: the raw values and the
// carried values go on from frame to frame and from one log to the next. The output gathers
// in one buffer that is written out whenever it is full or the input has to wait, so memory
// stays flat and the text is copied once: the report is the Checks' own result text, other
// formats append to the buffer.
class BatchDecoder {
  public:
    BatchDecoder(const check::OutputFormat& format, std::ostream& out, std::ostream& errors,
                 check::Clock clock);
    // The same with a writer of the caller's (the sender of veskar-decode --send).
    BatchDecoder(std::unique_ptr<check::FrameWriter> writer, std::ostream& out,
                 std::ostream& errors, check::Clock clock);

    // Decodes every line of one log; name is how messages refer to it ("FILE:LINE: ...").
    void decodeLog(std::istream& log, const std::string& name);
    // The same from any source; 0 when the whole log was read, else the errno of the failure.
    int decodeLog(const ReadSome& log, const std::string& name);

    // A field that is not a clean number of its width is decoded as the dialog's Check
    // reads it, with a warning; strict, its line is skipped instead.
    void setStrict(bool skipGarbledFields) { strict = skipGarbledFields; }

    // Ends the output and writes what is left; call once after the last log.
    void finish();

    // Lines that were neither a frame nor blank nor a comment.
    long skippedLines() const { return skipped; }

    // Whether the frame being decoded had its time on its line (and did not take the clock's).
    bool frameHasItsTime() const { return timed; }

  private:
    void decodeLine(std::string_view line);
    bool fieldsAreClean(const check::FieldTexts& texts);
    bool sayIfUnclean(std::size_t field, std::string_view text);
    void say(const std::string& what);
    std::string& output() { return writer ? rows : session.resultText(); }
    void writeOut(std::size_t atLeast);

    std::unique_ptr<check::FrameWriter> writer;  // none for the report
    std::string rows;
    std::ostream& out;
    std::ostream& errors;
    LogPlace place;
    StreamNotifier notifier;
    check::Session session;
    check::Frame frame;  // the latest line's; its texts are views of the line
    long skipped = 0;
    bool strict = false;
    bool timed = false;
};

}  // namespace batch
