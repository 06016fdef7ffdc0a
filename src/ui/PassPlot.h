// SPDX-License-Identifier: MIT
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace ui {

// Draws the pass view's charts for logs ("-" is standard input), each a pass in its own
// colour, into a PNG or an SVG picture chosen by the output's suffix, without a display.
// Lines that are not frames are reported to errors as "FILE:LINE: reason". Returns
// veskar-decode's exit status: 0 all decoded, 1 a line skipped, 2 a file not read or written.
int plotLogs(const std::string& output, const std::vector<std::string>& logs, std::ostream& errors);

}  // namespace ui
