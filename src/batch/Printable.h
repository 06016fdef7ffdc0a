// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>

namespace batch {

// Text as it may go into a message on a terminal: control characters, backslashes and
// bytes that are not UTF-8 are written as escapes (\n, \t, \r, \\, \xHH), so that a file
// name or a garbled field cannot break the message's line or the terminal.
std::string printable(std::string_view text);

}  // namespace batch
