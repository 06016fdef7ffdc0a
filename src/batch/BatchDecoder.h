// SPDX-License-Identifier: MIT
#pragma once

#include <iosfwd>
#include <string>

#include "batch/LineReader.h"
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
    // The same from any source; 0 when the whole log was read, else the errno of the failure.
    int decodeLog(const ReadSome& log, const std::string& name);

    // A field that is not a clean number of its width is decoded as the dialog's Check
    // reads it, with a warning; strict, its line is skipped instead.
    void setStrict(bool skipGarbledFields) { strict = skipGarbledFields; }

    // Lines that were neither a frame nor blank nor a comment.
    long skippedLines() const { return skipped; }

  private:
    void decodeLine(std::string_view line, const std::string& where);
    bool fieldsAreClean(const check::FrameTexts& texts, const std::string& where);
    void say(const std::string& where, const std::string& what);

    Format format;
    std::ostream& out;
    std::ostream& errors;
    check::Clock clock;
    decoders::ProgramState state;
    std::string block;
    long skipped = 0;
    bool strict = false;
};

}  // namespace batch
