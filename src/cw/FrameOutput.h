// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <ostream>
#include <string>

#include "morse/HeardFrame.h"
#include "morse/RecordingTime.h"

namespace cw {

// How a frame heard in a recording is written.
struct FrameContext {
    std::string file;
    std::optional<morse::UtcSeconds> recordingStart;
    double minConfidence = 0;  // fields less likely than this are written as not heard
};

// The comment line "# FILE at SECONDS s: tone HZ Hz, WPM wpm, SNR DB dB, confidence C", then
// the frame as a line of veskar-decode's log: [TIME] VOKA H0 ... F, "-" for a field not
// heard or below the minimum confidence.
void writeLogLines(std::ostream& out, const morse::HeardFrame& frame, const FrameContext& context);

// The frame as one JSON object on one line, every character with its confidence and its
// runner-up.
void writeJson(std::ostream& out, const morse::HeardFrame& frame, const FrameContext& context);

}  // namespace cw
