// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <memory>
#include <ostream>
#include <string_view>

#include "check/CheckOperation.h"

namespace check {

// Writes the Checks of a run in one format: begin once, one frame per Check, end once.
class FrameWriter {
  public:
    virtual ~FrameWriter() = default;
    virtual void begin() {}
    // The Check's record and the block it appended to the result text.
    virtual void frame(const CheckRecord& record, std::string_view block) = 0;
    virtual void end() {}
};

// An output format: its name (the command-line option without "--"), whether a saved file
// of it ends with the end-of-file mark 0x1A, and its writer.
struct OutputFormat {
    std::string_view name;
    bool endsWithEndOfFileMark;
    std::unique_ptr<FrameWriter> (*makeWriter)(std::ostream& out);
};

// The report first: it is the default.
extern const std::array<OutputFormat, 3> outputFormats;

// The format of a name, or nullptr.
const OutputFormat* findOutputFormat(std::string_view name);

}  // namespace check
