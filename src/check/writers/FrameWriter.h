// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <memory>
#include <string>
#include <string_view>

#include "check/CheckOperation.h"

namespace check {

// Writes the Checks of a run in a format other than the report, appending to a buffer that
// the caller empties where it likes: begin once, one frame per Check, end once.
class FrameWriter {
  public:
    virtual ~FrameWriter() = default;
    virtual void begin(std::string& /*out*/) {}
    virtual void frame(const CheckRecord& record, std::string& out) = 0;
    virtual void end(std::string& /*out*/) {}
};

// An output format: its name (the command-line option without "--"), whether a saved file
// of it ends with the end-of-file mark 0x1A, and its writer. The report has no writer: it
// is the text the Checks append, byte for byte.
struct OutputFormat {
    std::string_view name;
    bool endsWithEndOfFileMark;
    std::unique_ptr<FrameWriter> (*makeWriter)();
};

// The report first: it is the default.
extern const std::array<OutputFormat, 3> outputFormats;

// The format of a name, or nullptr.
const OutputFormat* findOutputFormat(std::string_view name);

}  // namespace check
