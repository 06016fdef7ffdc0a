// SPDX-License-Identifier: MIT
#pragma once

#include <iosfwd>
#include <memory>
#include <string>

#include "check/Session.h"
#include "check/writers/FrameWriter.h"

namespace batch {

// The decoders' one message (an unknown day/night setting) goes where the errors go, with
// the place of the line that caused it.
class StreamNotifier : public check::Notifier {
  public:
    explicit StreamNotifier(std::ostream& errors) : errors(errors) {}
    void showMessage(const std::string& cp932Text) override;
    // The line being decoded; its "FILE:LINE" is only built for a message.
    const std::string* name = nullptr;
    long line = 0;

  private:
    std::ostream& errors;
};

// Decodes frame logs line by line as consecutive Checks of one run: the raw values and the
// carried values go on from frame to frame and from one log to the next. The output gathers
// in one buffer that is written out whenever it is full, so memory stays flat and the text
// is copied once: the report is the Checks' own result text, other formats append to it.
class BatchDecoder {
  public:
    BatchDecoder(const check::OutputFormat& format, std::ostream& out, std::ostream& errors,
                 check::Clock clock);

    // Decodes every line of one log; name is how messages refer to it ("FILE:LINE: ...").
    void decodeLog(std::istream& log, const std::string& name);

    // Ends the output and writes what is left; call once after the last log.
    void finish();

    // Lines that were neither a frame nor blank nor a comment.
    long skippedLines() const { return skipped; }

  private:
    void decodeLine(const std::string& line, const std::string& name, long number);
    std::string& output() { return writer ? rows : session.resultText(); }
    void writeOutIfFull();

    std::unique_ptr<check::FrameWriter> writer;  // none for the report
    std::string rows;
    std::ostream& out;
    std::ostream& errors;
    StreamNotifier notifier;
    check::Session session;
    long skipped = 0;
};

}  // namespace batch
