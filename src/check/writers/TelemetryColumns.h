// SPDX-License-Identifier: MIT
#pragma once

#include <ctime>
#include <functional>
#include <string>
#include <vector>

#include "decoders/DecodedFrame.h"

namespace check {

// A cell of a table of frames: its text (values to 6 significant digits), and its number in
// full precision where it has one (for sorting and charts). Both stay empty when the item was
// not decoded.
struct TelemetryCell {
    std::string text;
    std::optional<double> number;
};

// One column of the flat table of a frame's telemetry, as the CSV and the views show it:
// each channel's value and state, each status-word item, the sun sensor's state and values.
struct TelemetryColumn {
    std::string name;  // "battery_voltage_V"
    std::function<TelemetryCell(const decoders::DecodedFrame&)> cell;
};

// The columns in frame order, derived from the decode plan and the item tables.
const std::vector<TelemetryColumn>& telemetryColumns();

// "2010-01-02T03:04:05Z".
std::string isoTime(std::time_t time);

// A field's raw value in upper-case hexadecimal of the field's width, or "" when the field
// was not decoded in the frame.
std::string rawText(const decoders::DecodedFrame& frame, std::size_t field);

// The shortest text that reads back to the same double.
std::string shortestText(double value);

// The value rounded to 6 significant digits, as printf's "%.6g" gives it: what a table shows,
// free of the binary fractions' noise ("8.4526", not "8.452600000000004").
std::string sixDigitText(double value);

}  // namespace check
