// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>

#include "check/Frame.h"

namespace batch {

// What a line of a log is: a frame, a blank line or a comment, or a bad line and why.
struct LineRead {
    enum class Kind { Frame, NoFrame, Bad };
    Kind kind;
    std::string reason;  // why a bad line is bad
};

// Reads one line of a frame log (without its line end; a trailing CR is dropped):
//   [YYYY-MM-DD HH:MM:SS | YYYY-MM-DDTHH:MM:SSZ] [VOKA] H0 H1 H2 H3 H4 A B C D E F
// with the tokens separated by blanks or tabs. T and Z may be lower case; a leap second
// 23:59:60 is read as 23:59:59. A line that holds a NUL byte is bad.
// A frame's texts (empty where the log has "-", a field that was not copied) and its time,
// if the line gave one, go into frame; its texts are views of the line. Its origin is left
// to the caller.
LineRead readFrameLine(std::string_view line, check::Frame& frame);

}  // namespace batch
