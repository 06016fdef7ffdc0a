// SPDX-License-Identifier: MIT
#pragma once

#include <ctime>
#include <optional>
#include <string>

#include "check/FrameFields.h"

namespace check {

// Where a frame came from, for messages and for the views that show it.
struct FrameOrigin {
    enum class Kind { Boxes, Log, Recording };
    Kind kind = Kind::Boxes;
    std::string name;            // the log's or the recording's file name
    long line = 0;               // the line of a log
    double offsetSeconds = 0.0;  // where in a recording the frame starts
};

// Whose time a report block's heading shows.
enum class Heading {
    FrameTime,  // the frame's own, as a log line gives it
    CheckTime,  // the Check's, as for every Check in the dialog, also of a frame heard earlier
};

// A frame as every source gives it: the dialog's boxes, a line of a log, a recording.
struct Frame {
    FieldTexts texts;                 // empty where the field was not copied
    std::optional<std::time_t> time;  // when it was heard, where the source knows
    FrameOrigin origin;
    Heading heading = Heading::FrameTime;
};

}  // namespace check
