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
// carried values go on from frame to frame and from one log to the next. Writes each
// frame in the chosen format as soon as it is decoded, so memory stays flat.
class BatchDecoder {
  public:
    BatchDecoder(const check::OutputFormat& format, std::ostream& out, std::ostream& errors,
                 check::Clock clock);
    // The same with a writer of the caller's (the sender of veskar-decode --send).
    BatchDecoder(std::unique_ptr<check::FrameWriter> writer, std::ostream& errors,
                 check::Clock clock);

    // Decodes every line of one log; name is how messages refer to it ("FILE:LINE: ...").
    void decodeLog(std::istream& log, const std::string& name);

    // Ends the output; call once after the last log.
    void finish() { writer->end(); }

    // Lines that were neither a frame nor blank nor a comment.
    long skippedLines() const { return skipped; }

    // Whether the line being written gave the frame's time (otherwise the Check's time is
    // the time of decoding, not of hearing).
    bool frameHasItsTime() const { return timed; }

  private:
    void decodeLine(const std::string& line, const std::string& name, long number);

    std::unique_ptr<check::FrameWriter> writer;
    std::ostream& errors;
    StreamNotifier notifier;
    check::Session session;
    long skipped = 0;
    bool timed = false;
};

}  // namespace batch
