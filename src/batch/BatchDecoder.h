// SPDX-License-Identifier: MIT
#pragma once

#include <iosfwd>
#include <string>

#include "check/CheckOperation.h"
#include "decoders/ProgramState.h"

namespace batch {

enum class Format { Report, Csv };

// Decodes frame logs line by line as consecutive Checks of one run: the raw values and the
// carried values go on from frame to frame and from one log to the next. Writes each
// frame's report block (or CSV row) as soon as it is decoded, so memory stays flat.
class BatchDecoder {
  public:
    BatchDecoder(Format format, std::ostream& out, std::ostream& errors, check::Clock clock);

    // Decodes every line of one log; name is how messages refer to it ("FILE:LINE: ...").
    void decodeLog(std::istream& log, const std::string& name);

    // Lines that were neither a frame nor blank nor a comment.
    long skippedLines() const { return skipped; }

  private:
    void decodeLine(const std::string& line, const std::string& where);

    Format format;
    std::ostream& out;
    std::ostream& errors;
    check::Clock clock;
    decoders::ProgramState state;
    std::string block;
    long skipped = 0;
};

}  // namespace batch
