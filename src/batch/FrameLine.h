// SPDX-License-Identifier: MIT
#pragma once

#include <ctime>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "check/Frame.h"

namespace batch {

// A frame as logged: its UTC time if the line gave one, and the eleven field texts
// (empty where the log has "-", a field that was not copied).
using LoggedFrame = check::Frame;

// A blank line or a comment.
struct NoFrame {};

// A line that is not a frame, and why.
struct BadLine {
    std::string reason;
};

using FrameLine = std::variant<LoggedFrame, NoFrame, BadLine>;

// Reads one line of a frame log (without its line end; a trailing CR is dropped):
//   [YYYY-MM-DD HH:MM:SS | YYYY-MM-DDTHH:MM:SSZ] [VOKA] H0 H1 H2 H3 H4 A B C D E F
// with the tokens separated by blanks or tabs. T and Z may be lower case; a leap second
// 23:59:60 is read as 23:59:59. A line that holds a NUL byte is bad.
FrameLine readFrameLine(std::string_view line);

}  // namespace batch
